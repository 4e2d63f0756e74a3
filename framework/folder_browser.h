// The shell's folder browser, as the "浏览" buttons show it.
#pragma once

#include <string>

// Shows the browser with `title`, no owner, starting at the desktop. False
// when the user cancelled, `path` then unchanged. True when the user chose an
// item: `path` is its file-system path, or "" when it has none (a virtual
// folder such as 此电脑 or 控制面板).
bool BrowseForFolder(const std::string& title, std::string* path);
