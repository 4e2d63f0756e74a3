// Comparing where two paths lead, rather than how they are spelled: both are
// resolved (full path, links followed, names as stored) and compared with
// letter case ignored where the file system ignores it. A bare drive "X:" is
// the root of drive X here (the program folder of X:\Tovrell.exe is "X:"),
// never the current folder of that drive.
#pragma once

#include <string>

// The full path the user is shown for `path`: single separators, no
// trailing backslash but a root's, a bare drive taken as its root.
std::string ShownPath(const std::string& path);

// True when `path` is `folder` itself or lies anywhere below it.
bool IsSameOrInside(const std::string& path, const std::string& folder);

// True when `path` lies strictly below `folder`.
bool IsStrictlyInside(const std::string& path, const std::string& folder);

// True when both name the same location.
bool IsSameLocation(const std::string& a, const std::string& b);

// True when the two entry names name the same entry of one folder: equal,
// or equal but for ASCII letter case where the file system ignores it.
bool SameEntryName(const std::string& a, const std::string& b);
