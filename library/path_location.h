// Comparing where two paths lead, rather than how they are spelled: both are
// resolved (full path, links followed, names as stored) and compared with
// letter case ignored where the file system ignores it.
#pragma once

#include <string>

// True when `path` is `folder` itself or lies anywhere below it.
bool IsSameOrInside(const std::string& path, const std::string& folder);

// True when `path` lies strictly below `folder`.
bool IsStrictlyInside(const std::string& path, const std::string& folder);

// True when both name the same location.
bool IsSameLocation(const std::string& a, const std::string& b);
