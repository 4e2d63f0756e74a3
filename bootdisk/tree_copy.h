// Copying and removing folder trees, and the clean-up of a failed copy.
// Every failure is reported through `boxes` with the application's box
// (ShowAppMessage) before the call returns.
#pragma once

#include <string>

#include "port/message_boxes.h"

// Removes what `path` names. With a trailing backslash: every entry inside
// that folder, depth-first, the folder itself staying. Without one: exactly
// the entry named (a file, or a folder with everything in it), never a
// sibling whose name merely begins with it. Files get their attributes reset
// (read-only, hidden, system cleared) before deletion; folders are removed
// as they are. Stops at the first failure, reporting "删除文件%s失败！" for a
// file and then "删除目录%s失败！" for each enclosing folder up to the level it
// was called for, and returns false. A path that names nothing is no failure.
bool DeleteTree(const std::string& path, port::MessageBoxes& boxes);

// Copies everything below `source` into `target` (both folders, trailing
// backslash optional; `target` must exist), depth-first in pre-order,
// keeping the layout and overwriting files of the same names. Never writes
// to or removes anything inside `source`: a target that is the source or
// lies inside it is refused with a message before anything is copied. On the
// first file that cannot be copied: "文件拷贝失败！", the leftover of that
// target file removed, false. A missing or empty source copies nothing and
// returns true.
bool CopyTree(const std::string& source, const std::string& target, port::MessageBoxes& boxes);

// Shows "文件拷贝失败！" and removes `path`: with a trailing backslash the
// folder's content and then the folder, otherwise that one entry.
void AbortCopy(const std::string& path, port::MessageBoxes& boxes);
