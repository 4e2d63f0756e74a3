#include "text/path_form.h"

#include <vector>

#include "text/cp936_path.h"

namespace pathform {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool StartsWithDrive(std::string_view path, std::size_t at) {
  return path.size() >= at + 2 && IsAsciiLetter(path[at]) && path[at + 1] == ':';
}

// The end of "server\share\" starting at `start`: just past the backslash
// after the share, or the end of the path.
std::size_t ShareRootEnd(std::string_view path, std::size_t start) {
  int backslashes = 0;
  for (std::size_t i = start; i < path.size();) {
    if (path[i] == '\\' && ++backslashes == 2) return i + 1;
    i += cp936::IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size() ? 2 : 1;
  }
  return path.size();
}

// The names after the root, split at real backslashes (empty names kept).
std::vector<std::string_view> NamesOf(std::string_view path, std::size_t root) {
  std::vector<std::string_view> names;
  std::size_t start = root;
  for (std::size_t i = root; i <= path.size();) {
    if (i == path.size() || path[i] == '\\') {
      names.push_back(path.substr(start, i - start));
      start = i + 1;
      ++i;
      continue;
    }
    i += cp936::IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size() ? 2 : 1;
  }
  return names;
}

}  // namespace

bool IsBareDrive(std::string_view path) { return path.size() == 2 && StartsWithDrive(path, 0); }

bool IsDriveRoot(std::string_view path) { return path.size() == 3 && StartsWithDrive(path, 0) && path[2] == '\\'; }

bool IsLongForm(std::string_view path) { return StartsWith(path, "\\\\?\\"); }

bool IsDevicePath(std::string_view path) { return StartsWith(path, "\\\\.\\"); }

std::size_t RootLength(std::string_view path) {
  if (StartsWith(path, "\\\\?\\UNC\\")) return ShareRootEnd(path, 8);
  if (IsLongForm(path)) {
    if (!StartsWithDrive(path, 4)) return 4;
    return path.size() > 6 && path[6] == '\\' ? 7 : 6;
  }
  if (IsDevicePath(path)) return 4;
  if (StartsWith(path, "\\\\")) return ShareRootEnd(path, 2);
  if (StartsWithDrive(path, 0)) return path.size() > 2 && path[2] == '\\' ? 3 : 2;
  if (StartsWith(path, "\\")) return 1;
  return 0;
}

bool IsFullyQualified(std::string_view path) {
  const std::size_t root = RootLength(path);
  if (root == 0 || root == 1) return false;
  return !(root == 2 && StartsWithDrive(path, 0));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  std::string joined(folder);
  if (!cp936::EndsWithBackslash(folder)) joined += '\\';
  joined.append(name);
  return joined;
}

std::string WithBackslash(std::string_view folder) {
  if (folder.empty() || cp936::EndsWithBackslash(folder)) return std::string(folder);
  return std::string(folder) + '\\';
}

std::string WithoutBackslash(std::string_view path) {
  const std::size_t root = RootLength(path);
  while (path.size() > root && cp936::EndsWithBackslash(path)) path.remove_suffix(1);
  return std::string(path);
}

std::string Normalised(std::string_view fullPath) {
  if (IsLongForm(fullPath)) return std::string(fullPath);
  const std::string path = cp936::ReplaceSeparators(fullPath, '/', '\\');
  const std::size_t root = RootLength(path);
  std::vector<std::string_view> kept;
  for (std::string_view name : NamesOf(path, root)) {
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    kept.push_back(name);
  }
  std::string result = path.substr(0, root);
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (i > 0 || (!result.empty() && !cp936::EndsWithBackslash(result) && !IsBareDrive(result))) result += '\\';
    result.append(kept[i]);
  }
  if (!kept.empty() && cp936::EndsWithBackslash(path)) result += '\\';
  return result;
}

bool NeedsLongForm(std::string_view path) {
  if (IsLongForm(path) || IsDevicePath(path)) return false;
  if (path.size() > kLongestPlainPath) return true;
  for (std::string_view name : NamesOf(path, RootLength(path))) {
    if (name.empty() || name == "." || name == "..") continue;
    if (name.back() == ' ' || name.back() == '.') return true;
  }
  return false;
}

std::string LongFormOf(std::string_view fullPath) {
  if (IsLongForm(fullPath)) return std::string(fullPath);
  if (StartsWith(fullPath, "\\\\")) return "\\\\?\\UNC\\" + std::string(fullPath.substr(2));
  if (StartsWithDrive(fullPath, 0) && RootLength(fullPath) == 3) return "\\\\?\\" + std::string(fullPath);
  return std::string(fullPath);
}

std::string PlainFormOf(std::string_view path) {
  if (StartsWith(path, "\\\\?\\UNC\\")) return "\\\\" + std::string(path.substr(8));
  if (IsLongForm(path) && StartsWithDrive(path, 4)) return std::string(path.substr(4));
  return std::string(path);
}

}  // namespace pathform
