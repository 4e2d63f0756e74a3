// Clearing the read-only attribute of a file copied from read-only media.
#pragma once

#include <string>

// A file a build copied from a template on read-only media (a CD) comes
// read-only; it is the build's own copy and must take the card's files.
// Clears the read-only bit of `path`, keeping the hidden, system and archive
// bits; does nothing when the file is missing or not read-only, or is a
// link (whose attributes are those of what it leads to).
void ClearReadOnly(const std::string& path);
