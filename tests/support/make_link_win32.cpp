#include <windows.h>

#include <string>

#include "support/make_link.h"

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The Unix path Wine gives a Windows path; "" outside Wine.
std::string UnixPathOf(const std::string& path) {
  using UnixFileName = char*(CDECL*)(const wchar_t*);
  const auto unixFileName =
      reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (unixFileName == nullptr) return std::string();
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
  char* unix = unixFileName(wide.c_str());
  if (unix == nullptr) return std::string();
  std::string result = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

// The Unix path of the entry `path` names itself: its folder's Unix path
// and its name in UTF-8, since Wine would follow a link named whole.
std::string UnixPathOfEntry(const std::string& path) {
  std::string entry = path;
  while (!entry.empty() && entry.back() == '\\') entry.pop_back();
  const std::size_t slash = entry.find_last_of('\\');
  if (slash == std::string::npos) return std::string();
  const std::string folder = UnixPathOf(entry.substr(0, slash + 1));
  if (folder.empty()) return std::string();
  const std::string name = entry.substr(slash + 1);
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
  std::string utf8(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr);
  utf8.pop_back();  // the terminating zero
  return folder + (folder.back() == '/' ? "" : "/") + utf8;
}

// Runs a Unix program through Wine, which starts Unix programs too.
bool RunUnix(const char* program, std::string command) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

// Wine does not wait for a Unix program to end: wait for its effect.
bool WaitUntil(const std::string& path, bool exists) {
  for (int i = 0; i < 500; ++i) {
    if (Exists(path) == exists) return true;
    Sleep(10);
  }
  return false;
}

bool MakeUnixLink(const std::string& target, const std::string& link) {
  const std::string unixTarget = UnixPathOf(target);
  const std::string unixLink = UnixPathOfEntry(link);
  if (unixTarget.empty() || unixLink.empty()) return false;
  return RunUnix("Z:\\bin\\ln", "ln -s \"" + unixTarget + "\" \"" + unixLink + "\"") && WaitUntil(link, true);
}

bool MakeLink(const std::string& target, const std::string& link, DWORD flags) {
  if (CreateSymbolicLinkA(link.c_str(), target.c_str(), flags | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) &&
      Exists(link)) {
    return true;
  }
  return MakeUnixLink(target, link) && Exists(link);
}

}  // namespace

bool MakeFolderLink(const std::string& target, const std::string& link) {
  return MakeLink(target, link, SYMBOLIC_LINK_FLAG_DIRECTORY);
}

bool MakeFileLink(const std::string& target, const std::string& link) { return MakeLink(target, link, 0); }

void RemoveLink(const std::string& link) {
  std::string entry = link;
  while (!entry.empty() && entry.back() == '\\') entry.pop_back();
  // Under Wine the Windows calls would remove what the link leads to.
  const std::string unixLink = UnixPathOfEntry(entry);
  if (!unixLink.empty()) {
    if (RunUnix("Z:\\bin\\rm", "rm -f \"" + unixLink + "\"")) WaitUntil(entry, false);
  } else if (!RemoveDirectoryA(entry.c_str())) {
    DeleteFileA(entry.c_str());  // a file link on Windows: the link goes
  }
}
