// Whether a build may empty and fill its build folder: it must not destroy
// or read the program's own data.
#pragma once

#include <string>

// "" when a build may empty `buildFolder` and fill it from `templateSource`;
// otherwise the Chinese message telling the user why the target is refused.
// Refused: a build folder that is, or lies inside, the template source, the
// whole boot disk template or the driver library; and a build folder that
// is, or holds, any of these or the program folder. Locations are compared
// as they really are (links followed, letter case ignored where the file
// system ignores it), not as they are spelled. Reads nothing but the paths'
// locations; changes nothing.
std::string CheckBuildTarget(const std::string& buildFolder, const std::string& templateSource,
                             const std::string& programFolder);
