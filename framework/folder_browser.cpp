#include "framework/folder_browser.h"

#include <windows.h>
#include <shlobj.h>

bool BrowseForFolder(const std::string& title, std::string* path) {
  char buffer[MAX_PATH] = {};
  BROWSEINFOA info = {};
  info.hwndOwner = nullptr;
  info.pidlRoot = nullptr;
  info.pszDisplayName = buffer;
  info.lpszTitle = title.c_str();
  info.ulFlags = 0;
  LPITEMIDLIST item = SHBrowseForFolderA(&info);
  const bool chosen = item != nullptr;
  if (chosen) {
    // The display name is in the buffer too: only a real path is taken.
    char folder[MAX_PATH] = {};
    *path = SHGetPathFromIDListA(item, folder) ? folder : "";
  }
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator))) {
    allocator->Free(item);
    allocator->Release();
  }
  return chosen;
}
