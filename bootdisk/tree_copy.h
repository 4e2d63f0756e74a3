// Copying and removing folder trees, and the clean-up of a failed copy.
// Every failure is reported through `boxes` with the application's box
// (ShowAppMessage) before the call returns.
#pragma once

#include <string>
#include <vector>

#include "port/message_boxes.h"

// Removes what `path` names. With a trailing backslash: every entry inside
// that folder, depth-first, the folder itself staying. Without one: exactly
// the entry named (a file, or a folder with everything in it), never a
// sibling whose name merely begins with it. Files get their attributes reset
// (read-only, hidden, system cleared) before deletion; folders are removed
// as they are. Stops at the first failure, reporting "删除文件%s失败！" for a
// file and then "删除目录%s失败！" for each enclosing folder up to the level it
// was called for, and returns false. A path that names nothing is no failure.
//
// A link (symbolic link or junction, to a folder or a file) is removed as a
// link, wherever it stands in the tree, and never emptied through: what it
// leads to is left as it was. A link named with a trailing backslash is
// removed itself, since the content it shows is not its own. A link that
// cannot be removed as a link is a failure, reported as its kind above.
bool DeleteTree(const std::string& path, port::MessageBoxes& boxes);

// Copies everything below `source` into `target` (both folders, trailing
// backslash optional; `target` must exist), depth-first in pre-order,
// keeping the layout and overwriting files of the same names. Never writes
// to or removes anything inside `source`: a target that is the source or
// lies inside it is refused with a message before anything is copied. On the
// first file that cannot be copied: "文件拷贝失败！", the leftover of that
// target file removed, false. A missing or empty source copies nothing and
// returns true.
//
// Links never take the copy out of what it was given. Nothing is written
// through a link (to a folder or a file) standing in the target where a
// source entry of its name goes: the copy stops there, saying so, and the
// link and what it leads to stay as they were. A folder link of the source
// is followed only when what it leads to neither is, lies inside nor holds
// the source, the target or one of `guardedFolders` (the driver library),
// and never round a loop; otherwise the copy stops there, naming the link.
// Either way it returns false: a copy that left something out never reports
// success. A link given as `target` itself is followed (the caller named it).
bool CopyTree(const std::string& source, const std::string& target, port::MessageBoxes& boxes,
              const std::vector<std::string>& guardedFolders = {});

// Shows "文件拷贝失败！" and removes `path`: with a trailing backslash the
// folder's content and then the folder, otherwise that one entry.
void AbortCopy(const std::string& path, port::MessageBoxes& boxes);
