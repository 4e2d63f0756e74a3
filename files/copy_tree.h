// Copying a folder tree into another folder. Every failure is added to
// `messages` (texts for the application's box) before the call returns.
#pragma once

#include <string>
#include <vector>

#include "files/messages.h"
#include "work/progress.h"

// Copies everything below `source` into `target` (both folders, trailing
// backslash optional; `target` must exist), depth-first in pre-order,
// keeping the layout and overwriting files of the same names. Never writes
// to or removes anything inside `source`: a target that is the source or
// lies inside it is refused with a message before anything is copied. On the
// first file that cannot be copied: "文件拷贝失败！" naming the file and why,
// the leftover of that target file removed, false. A missing or empty source copies nothing and
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
//
// With `progress`, the files are counted first (each folder reported as it
// is counted) and each file is reported before it is copied; when the user
// cancels, the copy stops there and returns false with no message of its
// own.
bool CopyTree(const std::string& source, const std::string& target, Messages* messages,
              const std::vector<std::string>& guardedFolders = {}, Progress* progress = nullptr);
