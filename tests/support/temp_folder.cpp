#include "support/temp_folder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <stdexcept>

#include "port/file_system.h"
#include "support/make_link.h"
#include "text/cp936_path.h"

namespace {

std::string SystemTempFolder() {
  std::string temp = std::filesystem::temp_directory_path().string();
  temp = cp936::ReplaceSeparators(temp, '/', '\\');
  while (temp.size() > 3 && cp936::EndsWithBackslash(temp)) temp.pop_back();
  return temp;
}

void ListTreeInto(const std::string& folder, const std::string& relative, std::vector<std::string>* out) {
  std::vector<port::FoundEntry> entries;
  if (!port::FindFiles(folder + "\\*.*", &entries)) return;
  for (const port::FoundEntry& entry : entries) {
    if (entry.IsDots()) continue;
    const std::string name = relative + entry.name;
    if (entry.IsDirectory() && !entry.IsLink()) {
      out->push_back(name + "\\");
      ListTreeInto(entry.path, name + "\\", out);
    } else {
      out->push_back(name);
    }
  }
}

}  // namespace

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = SystemTempFolder() + "\\tovrell-test-" + std::to_string(stamp) + "-" + std::to_string(counter++);
    if (port::CreateFolder(path_)) return;
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() { RemoveTestTree(path_); }

void MakeTestFolders(const std::string& path) {
  if (port::GetAttributes(path) != port::kInvalidAttributes) return;
  const std::string parent = cp936::FolderOf(path);
  if (parent != path && !parent.empty()) MakeTestFolders(parent);
  port::CreateFolder(path);
}

void WriteTestFile(const std::string& path, const std::string& bytes) {
  MakeTestFolders(cp936::FolderOf(path));
  if (!port::WriteFile(path, bytes)) throw std::runtime_error("cannot write " + path);
}

std::string ReadTestFile(const std::string& path) {
  std::string bytes;
  return port::ReadFile(path, &bytes) ? bytes : "<missing>";
}

bool Exists(const std::string& path) { return port::GetAttributes(path) != port::kInvalidAttributes; }

bool IsFolder(const std::string& path) {
  const std::uint32_t attributes = port::GetAttributes(path);
  return attributes != port::kInvalidAttributes && (attributes & port::kAttrDirectory) != 0;
}

std::vector<std::string> ListTree(const std::string& folder) {
  std::vector<std::string> out;
  ListTreeInto(cp936::EndsWithBackslash(folder) ? folder.substr(0, folder.size() - 1) : folder, "", &out);
  std::sort(out.begin(), out.end());
  return out;
}

void RemoveTestTree(const std::string& path) {
  if (port::IsLink(path)) {
    RemoveLink(path);
    return;
  }
  const std::uint32_t attributes = port::GetAttributes(path);
  if (attributes == port::kInvalidAttributes) return;
  if ((attributes & port::kAttrDirectory) && !(attributes & port::kAttrReparsePoint)) {
    std::vector<port::FoundEntry> entries;
    if (port::FindFiles(path + "\\*.*", &entries)) {
      for (const port::FoundEntry& entry : entries) {
        if (entry.IsDots()) continue;
        // Listed but without attributes: a link whose target is gone.
        if (port::GetAttributes(entry.path) == port::kInvalidAttributes) {
          RemoveLink(entry.path);
        } else {
          RemoveTestTree(entry.path);
        }
      }
    }
    port::RemoveFolder(path);
  } else if (attributes & port::kAttrDirectory) {
    port::RemoveFolder(path);
  } else {
    port::SetAttributes(path, port::kAttrNormal);
    port::RemoveFile(path);
  }
}

void CopyTestTree(const std::string& from, const std::string& to) {
  MakeTestFolders(to);
  std::vector<port::FoundEntry> entries;
  if (!port::FindFiles(from + "\\*.*", &entries)) return;
  for (const port::FoundEntry& entry : entries) {
    if (entry.IsDots()) continue;
    if (entry.IsDirectory()) {
      CopyTestTree(entry.path, to + "\\" + entry.name);
    } else if (!port::CopyOneFile(entry.path, to + "\\" + entry.name)) {
      throw std::runtime_error("cannot copy " + entry.path);
    }
  }
}

std::string LongTestPath(char letter, std::size_t length) {
  std::string path;
  std::size_t nameLength = 0;
  while (path.size() < length) {
    if (nameLength == 60 && path.size() + 2 < length) {
      path += '\\';
      nameLength = 0;
    }
    const bool doubleByte = nameLength % 4 == 1 && nameLength + 2 <= 60 && path.size() + 3 < length;
    path += doubleByte ? std::string("\x9C\x5C") : std::string(1, letter);
    nameLength += doubleByte ? 2 : 1;
  }
  return path;
}
