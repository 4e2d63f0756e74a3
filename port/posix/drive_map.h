// Drive letters on the POSIX port. A letter mapped to a folder makes paths
// in the forms "X:\...", "X:" and "X:name" name entries below that folder,
// as they do below a drive's root on Windows, and paths handed back (the
// current folder, resolved paths) name such entries in the drive form. A
// letter that is not mapped leaves "X:..." an ordinary relative name.
#pragma once

#include <string>

namespace port {

// `folder` (an existing folder, in the port's path form) becomes the root of
// drive `letter`; false when it does not exist.
bool MapDrive(char letter, const std::string& folder);
void UnmapDrive(char letter);

}  // namespace port
