// Removing folder trees, and the clean-up of a failed copy. Every failure
// is added to `messages` (texts for the application's box) before the call
// returns.
#pragma once

#include <string>

#include "files/messages.h"

// Both removals below: files get their attributes reset (read-only, hidden,
// system cleared) before deletion; folders are removed as they are. They
// stop at the first failure, reporting "删除文件%s失败！" for a file and then
// "删除目录%s失败！" for each enclosing folder up to the level they were called
// for, and return false. A path that names nothing is no failure.
//
// A link (symbolic link or junction, to a folder or a file) is removed as a
// link, wherever it stands in the tree, and never emptied through: what it
// leads to is left as it was. A link that cannot be removed as a link is a
// failure, reported as its kind above.

// Removes exactly the entry `path` names (a trailing backslash changes
// nothing): a file, or a folder with everything in it, never a sibling whose
// name merely begins with it.
bool DeleteTree(const std::string& path, Messages* messages);

// Removes every entry inside the folder `folder` (trailing backslash
// optional), depth-first, the folder itself staying. A `folder` that is a
// link is removed itself, since the content it shows is not its own.
bool EmptyFolder(const std::string& folder, Messages* messages);

// The first file below the folder `path` (or `path` itself, a file) that
// another program holds open (port::IsHeldOpen), where a removal would
// stop; "" when there is none. Links are neither entered nor counted.
// Reads only.
std::string FirstFileHeldOpen(const std::string& path);

// Reports "文件拷贝失败！", followed on a line of its own by `why` when
// given (which file and why), and removes the entry `path` (DeleteTree).
void AbortCopy(const std::string& path, Messages* messages, const std::string& why = std::string());
