// The file-system port over the Win32 API. Each operation is the call the
// program was designed around; the few that need more than one call
// (ResolvedPath, GetFolderId) open the entry with backup semantics so that
// folders can be opened too.
//
// Paths arrive as code page 936 text, the program's ANSI code page. Every
// path handed to the file system goes through ApiPath, which turns it into
// UTF-16 as the ANSI calls would, and into the long form "\\?\X:\..." where
// the plain form would fail (longer than the ANSI calls take) or name
// another entry (a name ending in a blank or a dot, which the plain form
// trims). The wide calls are used because the ANSI ones refuse any path,
// long form or not, of more than 260 characters.
#include <windows.h>

#include <utility>

#include "port/file_system.h"
#include "text/cp936_path.h"
#include "text/path_form.h"

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

std::wstring Widen(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], n);
  return wide;
}

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), size, &text[0], n, nullptr, nullptr);
  return text;
}

// GetFullPathName: `path` unchanged when it fails.
std::string SystemFullPath(const std::string& path) {
  const std::wstring wide = Widen(path);
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(buffer.size()), &buffer[0], nullptr);
    if (n == 0) {
      lastError = GetLastError();
      return path;
    }
    if (n < buffer.size()) {
      buffer.resize(n);
      return Narrow(buffer);
    }
    buffer.assign(n + 1, L'\0');
  }
}

// The full path of `path` with every name kept exactly as written.
// GetFullPathName trims trailing blanks and dots, so it is asked only for
// the folder a relative path starts from ("X:" the current folder of X, "\"
// the root of the current drive).
std::string ExactFullPath(const std::string& path) {
  const std::string written = cp936::ReplaceSeparators(path, '/', '\\');
  if (pathform::IsFullyQualified(written)) return pathform::Normalised(written);
  const std::size_t root = pathform::RootLength(written);
  const std::string start = root == 0 ? CurrentFolder() : SystemFullPath(written.substr(0, root));
  return pathform::Normalised(pathform::JoinPath(start, written.substr(root)));
}

// What the file system is handed for `path`: see the comment at the top.
std::wstring ApiPath(const std::string& path) {
  if (!pathform::NeedsLongForm(path)) return Widen(path);
  return Widen(pathform::LongFormOf(ExactFullPath(path)));
}

HANDLE OpenForQuery(const std::string& path) {
  return CreateFileW(ApiPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool SameEntry(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

// The path the file system gives for an open entry (links followed, names
// as stored), in the plain form; "" when it cannot tell, or when the path it
// gives leads to another entry.
std::string FinalPathOf(HANDLE handle) {
  std::wstring buffer(32768, L'\0');
  const DWORD n =
      GetFinalPathNameByHandleW(handle, &buffer[0], static_cast<DWORD>(buffer.size()), FILE_NAME_NORMALIZED);
  if (n == 0 || n >= buffer.size()) return std::string();
  buffer.resize(n);
  const std::string result = pathform::WithoutBackslash(pathform::PlainFormOf(Narrow(buffer)));
  BY_HANDLE_FILE_INFORMATION opened, found;
  HandleCloser check(OpenForQuery(result));
  if (!check.valid() || !GetFileInformationByHandle(handle, &opened) ||
      !GetFileInformationByHandle(check.get(), &found) || !SameEntry(opened, found)) {
    return std::string();
  }
  return result;
}

class Win32LockedFile : public LockedFile {
 public:
  explicit Win32LockedFile(HANDLE handle) : handle_(handle) {}
  ~Win32LockedFile() override { CloseHandle(handle_); }

 private:
  HANDLE handle_;
};

// Windows refuses to overwrite a read-only file (CopyFileA also a hidden
// one) even for an administrator; Wine run by root does not. The check is
// made here so that both behave as Windows does. A link standing at the
// target is refused too: what it leads to is never written through it.
bool RefusesOverwrite(const std::string& path, DWORD refusingAttributes) {
  const DWORD attributes = GetFileAttributesW(ApiPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if ((attributes & refusingAttributes) == 0 && !IsLink(path)) return false;
  SetLastError(ERROR_ACCESS_DENIED);
  lastError = ERROR_ACCESS_DENIED;
  return true;
}

// Wine shows a Unix symbolic link to a folder as a reparse point but one to
// a file as a plain file (IsLink tells such a link by where the file really
// lies), and its DeleteFile and RemoveDirectory remove what such a link
// leads to.
bool RunsOnWine() {
  static const bool onWine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  return onWine;
}

}  // namespace

bool FindFiles(const std::string& pattern, std::vector<FoundEntry>* entries) {
  entries->clear();
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(ApiPath(pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return Fail();
  // Entry paths keep the caller's plain spelling of the folder.
  const std::string prefix = cp936::FolderWithBackslashOf(pattern);
  do {
    FoundEntry entry;
    entry.name = Narrow(data.cFileName);
    entry.path = prefix + entry.name;
    entry.attributes = data.dwFileAttributes;
    entries->push_back(std::move(entry));
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return true;
}

bool CreateFolder(const std::string& path) { return Check(CreateDirectoryW(ApiPath(path).c_str(), nullptr)); }

bool RemoveFolder(const std::string& path) {
  // Wine's RemoveDirectory removes the empty folder a Unix symbolic link
  // leads to and leaves the link; there such a link is refused.
  if (RunsOnWine() && IsLink(path)) {
    lastError = ERROR_ACCESS_DENIED;
    return false;
  }
  return Check(RemoveDirectoryW(ApiPath(path).c_str()));
}

bool RemoveFile(const std::string& path) {
  // Wine's DeleteFile removes the file a Unix symbolic link leads to and
  // leaves the link; there such a link is refused.
  if (RunsOnWine() && IsLink(path)) {
    lastError = ERROR_ACCESS_DENIED;
    return false;
  }
  return Check(DeleteFileW(ApiPath(path).c_str()));
}

bool CopyOneFile(const std::string& from, const std::string& to) {
  if (RefusesOverwrite(to, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)) return false;
  const std::wstring source = ApiPath(from);
  const std::wstring target = ApiPath(to);
  if (!CopyFileW(source.c_str(), target.c_str(), FALSE)) return Fail();
  // CopyFile gives the copy the source's attributes; say so explicitly for
  // systems (Wine run by root) that leave them out.
  const DWORD attributes = GetFileAttributesW(source.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(target.c_str(), attributes);
  return true;
}

bool MoveEntry(const std::string& from, const std::string& to) {
  return Check(MoveFileW(ApiPath(from).c_str(), ApiPath(to).c_str()));
}

bool ReplaceEntry(const std::string& from, const std::string& to) {
  if (RefusesOverwrite(to, FILE_ATTRIBUTE_READONLY)) return false;
  return Check(MoveFileExW(ApiPath(from).c_str(), ApiPath(to).c_str(), MOVEFILE_REPLACE_EXISTING));
}

std::uint32_t GetAttributes(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(ApiPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) lastError = GetLastError();
  return attributes;
}

bool SetAttributes(const std::string& path, std::uint32_t attributes) {
  return Check(SetFileAttributesW(ApiPath(path).c_str(), attributes));
}

bool ReadFile(const std::string& path, std::string* bytes) {
  HandleCloser file(CreateFileW(ApiPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return Fail();
  bytes->clear();
  LARGE_INTEGER size;
  if (GetFileSizeEx(file.get(), &size)) bytes->reserve(static_cast<size_t>(size.QuadPart));  // one allocation
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
  HandleCloser file(CreateFileW(ApiPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
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

std::string FullPath(const std::string& path) { return pathform::WithoutBackslash(ExactFullPath(path)); }

std::string ResolvedPath(const std::string& path) {
  std::string existing = pathform::WithoutBackslash(ExactFullPath(path));
  std::string rest;
  for (;;) {
    HandleCloser handle(OpenForQuery(existing));
    if (handle.valid()) {
      std::string result = FinalPathOf(handle.get());
      if (result.empty()) {
        // Wine's final path drops a trailing blank or dot of the last name
        // (then naming another entry or none): the folder is resolved and
        // the name kept exactly.
        const std::size_t slash = cp936::LastBackslash(existing);
        const bool hasFolder = slash != cp936::npos && existing.size() > pathform::RootLength(existing);
        result = hasFolder ? pathform::JoinPath(ResolvedPath(existing.substr(0, slash + 1)), existing.substr(slash + 1))
                           : existing;
      }
      return rest.empty() ? result : pathform::JoinPath(result, rest);
    }
    const std::size_t root = pathform::RootLength(existing);
    const std::size_t slash = cp936::LastBackslash(existing);
    if (existing.size() <= root || slash == cp936::npos || slash + 1 < root) {
      return pathform::WithoutBackslash(ExactFullPath(path));
    }
    const std::string last = existing.substr(slash + 1);
    rest = rest.empty() ? last : last + "\\" + rest;
    existing = pathform::WithoutBackslash(existing.substr(0, slash + 1));
  }
}

bool IsLink(const std::string& path) {
  std::string entry = path;
  while (cp936::EndsWithBackslash(entry)) entry.pop_back();
  // What is left of a root ("X:" of "X:\", "" of "\") is no entry.
  if (entry.empty() || entry.back() == ':') return false;
  const DWORD attributes = GetFileAttributesW(ApiPath(entry).c_str());
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
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, &buffer[0], static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) {
      buffer.resize(n);
      return pathform::PlainFormOf(Narrow(buffer));
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string UserPath(const std::string& path) { return path; }

std::string PortPath(const std::string& userPath) { return userPath; }

std::string NativePath(const std::string& path) { return path; }

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

bool IsHeldOpen(const std::string& path) {
  // Asking for the right to delete, sharing everything: only a handle that
  // does not share deletion stands in the way.
  HANDLE handle = CreateFileW(ApiPath(path).c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle != INVALID_HANDLE_VALUE) {
    CloseHandle(handle);
    return false;
  }
  return GetLastError() == ERROR_SHARING_VIOLATION;
}

std::unique_ptr<LockedFile> LockFile(const std::string& path) {
  HANDLE handle = CreateFileW(ApiPath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    lastError = GetLastError();
    return nullptr;
  }
  return std::make_unique<Win32LockedFile>(handle);
}

bool GetFileSize(const std::string& path, std::uint64_t* size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(ApiPath(path).c_str(), GetFileExInfoStandard, &data)) return Fail();
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    lastError = ERROR_ACCESS_DENIED;
    return false;
  }
  *size = static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
  return true;
}

}  // namespace port
