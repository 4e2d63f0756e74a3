// The file-system port over the Win32 ANSI API. Each operation is the call
// the program was designed around; the few that need more than one call
// (ResolvedPath, GetFolderId) open the entry with backup semantics so that
// folders can be opened too.
#include <windows.h>

#include <utility>

#include "port/file_system.h"
#include "text/cp936_path.h"

namespace port {
namespace {

thread_local DWORD lastError = 0;

bool Fail() {
  lastError = GetLastError();
  return false;
}

bool Check(BOOL ok) { return ok ? true : Fail(); }

class HandleCloser {
 public:
  explicit HandleCloser(HANDLE handle) : handle_(handle) {}
  ~HandleCloser() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  HandleCloser(const HandleCloser&) = delete;
  HandleCloser& operator=(const HandleCloser&) = delete;
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

HANDLE OpenForQuery(const std::string& path) {
  return CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

class Win32LockedFile : public LockedFile {
 public:
  explicit Win32LockedFile(HANDLE handle) : handle_(handle) {}
  ~Win32LockedFile() override { CloseHandle(handle_); }

 private:
  HANDLE handle_;
};

std::string StripTrailingBackslash(std::string path) {
  // Keep the backslash of a root ("C:\", "\\server\share\" is left alone).
  while (path.size() > 3 && cp936::EndsWithBackslash(path)) path.pop_back();
  return path;
}

// Windows refuses to overwrite a read-only file (CopyFileA also a hidden
// one) even for an administrator; Wine run by root does not. The check is
// made here so that both behave as Windows does.
bool RefusesOverwrite(const std::string& path, DWORD refusingAttributes) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & refusingAttributes) == 0) return false;
  SetLastError(ERROR_ACCESS_DENIED);
  lastError = ERROR_ACCESS_DENIED;
  return true;
}

// Wine shows a Unix symbolic link to a folder as a reparse point but one to
// a file as a plain file (IsLink tells such a link by where the file really
// lies), and its DeleteFileA and RemoveDirectoryA remove what such a link
// leads to.
bool RunsOnWine() {
  static const bool onWine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  return onWine;
}

}  // namespace

bool FindFiles(const std::string& pattern, std::vector<FoundEntry>* entries) {
  entries->clear();
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return Fail();
  const std::string prefix = cp936::FolderWithBackslashOf(pattern);
  do {
    FoundEntry entry;
    entry.name = data.cFileName;
    entry.path = prefix + entry.name;
    entry.attributes = data.dwFileAttributes;
    entries->push_back(std::move(entry));
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return true;
}

bool CreateFolder(const std::string& path) { return Check(CreateDirectoryA(path.c_str(), nullptr)); }

bool RemoveFolder(const std::string& path) {
  // Wine's RemoveDirectoryA removes the empty folder a Unix symbolic link
  // leads to and leaves the link; there such a link is refused.
  if (RunsOnWine() && IsLink(path)) {
    lastError = ERROR_ACCESS_DENIED;
    return false;
  }
  return Check(RemoveDirectoryA(path.c_str()));
}

bool RemoveFile(const std::string& path) {
  // Wine's DeleteFileA removes the file a Unix symbolic link leads to and
  // leaves the link; there such a link is refused.
  if (RunsOnWine() && IsLink(path)) {
    lastError = ERROR_ACCESS_DENIED;
    return false;
  }
  return Check(DeleteFileA(path.c_str()));
}

bool CopyOneFile(const std::string& from, const std::string& to) {
  if (RefusesOverwrite(to, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)) return false;
  if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) return Fail();
  // CopyFileA gives the copy the source's attributes; say so explicitly for
  // systems (Wine run by root) that leave them out.
  const DWORD attributes = GetFileAttributesA(from.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(to.c_str(), attributes);
  return true;
}

bool MoveEntry(const std::string& from, const std::string& to) {
  return Check(MoveFileA(from.c_str(), to.c_str()));
}

bool ReplaceEntry(const std::string& from, const std::string& to) {
  if (RefusesOverwrite(to, FILE_ATTRIBUTE_READONLY)) return false;
  return Check(MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING));
}

std::uint32_t GetAttributes(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) lastError = GetLastError();
  return attributes;
}

bool SetAttributes(const std::string& path, std::uint32_t attributes) {
  return Check(SetFileAttributesA(path.c_str(), attributes));
}

bool ReadFile(const std::string& path, std::string* bytes) {
  HandleCloser file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return Fail();
  bytes->clear();
  char buffer[1 << 16];
  DWORD got = 0;
  for (;;) {
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return Fail();
    if (got == 0) return true;
    bytes->append(buffer, got);
  }
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  if (RefusesOverwrite(path, FILE_ATTRIBUTE_READONLY)) return false;
  HandleCloser file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return Fail();
  DWORD written = 0;
  if (!bytes.empty() &&
      (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
       written != bytes.size())) {
    return Fail();
  }
  return true;
}

std::string FullPath(const std::string& path) {
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), &buffer[0], nullptr);
    if (n == 0) {
      lastError = GetLastError();
      return path;
    }
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.assign(n + 1, '\0');
  }
  // GetFullPathNameA keeps a doubled backslash; make every separator single.
  std::string single;
  for (std::size_t i = 0; i < buffer.size();) {
    const bool doubleByte = cp936::IsLeadByte(static_cast<unsigned char>(buffer[i])) && i + 1 < buffer.size();
    if (doubleByte) {
      single.append(buffer, i, 2);
      i += 2;
      continue;
    }
    const bool keepUncStart = i == 1 && buffer[0] == '\\' && buffer[1] == '\\';
    if (!(buffer[i] == '\\' && !single.empty() && single.back() == '\\' && !keepUncStart)) {
      single += buffer[i];
    }
    ++i;
  }
  return StripTrailingBackslash(single);
}

std::string ResolvedPath(const std::string& path) {
  std::string existing = FullPath(path);
  std::string rest;
  for (;;) {
    HandleCloser handle(OpenForQuery(existing));
    if (handle.valid()) {
      char buffer[32768];
      const DWORD n = GetFinalPathNameByHandleA(handle.get(), buffer, sizeof buffer, FILE_NAME_NORMALIZED);
      std::string result = (n > 0 && n < sizeof buffer) ? std::string(buffer, n) : existing;
      if (result.rfind("\\\\?\\UNC\\", 0) == 0) {
        result = "\\\\" + result.substr(8);
      } else if (result.rfind("\\\\?\\", 0) == 0) {
        result = result.substr(4);
      }
      result = StripTrailingBackslash(result);
      if (!rest.empty()) result += (cp936::EndsWithBackslash(result) ? "" : "\\") + rest;
      return result;
    }
    const std::size_t slash = cp936::LastBackslash(existing);
    if (slash == cp936::npos || slash + 1 >= existing.size()) return FullPath(path);
    const std::string last = existing.substr(slash + 1);
    rest = rest.empty() ? last : last + "\\" + rest;
    existing = existing.substr(0, slash);
    if (existing.size() == 2 && existing[1] == ':') existing += '\\';
  }
}

bool IsLink(const std::string& path) {
  std::string entry = path;
  while (cp936::EndsWithBackslash(entry)) entry.pop_back();
  // What is left of a root ("X:" of "X:\", "" of "\") is no entry.
  if (entry.empty() || entry.back() == ':') return false;
  const DWORD attributes = GetFileAttributesA(entry.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    lastError = GetLastError();
    return false;
  }
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return true;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || !RunsOnWine()) return false;
  const std::string full = FullPath(entry);
  const std::size_t slash = cp936::LastBackslash(full);
  if (slash == cp936::npos) return false;
  std::string folder = ResolvedPath(full.substr(0, slash + 1));
  if (!cp936::EndsWithBackslash(folder)) folder += '\\';
  return cp936::UpperAscii(ResolvedPath(full)) != cp936::UpperAscii(folder + full.substr(slash + 1));
}

bool NamesIgnoreCase() { return true; }

bool GetFolderId(const std::string& path, FolderId* id) {
  HandleCloser handle(OpenForQuery(path));
  if (!handle.valid()) return Fail();
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle.get(), &info)) return Fail();
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return false;
  id->volume = info.dwVolumeSerialNumber;
  id->index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return true;
}

std::string ModuleFileName() {
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, &buffer[0], static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

bool SetCurrentFolder(const std::string& path) { return Check(SetCurrentDirectoryA(path.c_str())); }

std::string CurrentFolder() {
  const DWORD n = GetCurrentDirectoryA(0, nullptr);
  std::string buffer(n, '\0');
  const DWORD got = GetCurrentDirectoryA(n, &buffer[0]);
  buffer.resize(got);
  return buffer;
}

std::string LastErrorText() {
  char* message = nullptr;
  const DWORD n = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, lastError, 0, reinterpret_cast<char*>(&message), 0, nullptr);
  std::string text;
  if (n > 0 && message != nullptr) text.assign(message, n);
  if (message != nullptr) LocalFree(message);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  if (text.empty()) text = "error " + std::to_string(lastError);
  return text;
}

std::unique_ptr<LockedFile> LockFile(const std::string& path) {
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    lastError = GetLastError();
    return nullptr;
  }
  return std::make_unique<Win32LockedFile>(handle);
}

}  // namespace port
