// The shell's folder browser, as the "浏览" buttons show it.
#pragma once

#include <string>

// Shows the browser with `title`, no owner, starting at the desktop. True,
// with the chosen folder's file-system path, when the user chose a folder
// that has one; false when the user cancelled or the item has no path (a
// virtual folder), `path` then unchanged.
bool BrowseForFolder(const std::string& title, std::string* path);
