// What a path in Windows form is, and the one rule for joining a name to a
// folder. Paths are code page 936 byte strings; every function here steps
// over double-byte characters (cp936_path.h), so a trail byte 0x5C is never
// taken for a separator.
//
// The forms told apart:
//   "X:"              a bare drive: the program takes it as the root of X
//                     (the program folder of X:\Tovrell.exe is "X:")
//   "X:\..."          a path from the root of a drive
//   "X:name"          a path relative to the current folder of drive X
//   "\\server\share\" a network share
//   "\..."            a path from the root of the current drive
//   "\\?\X:\..."      the long form, "\\?\UNC\server\share\..." for a share:
//                     handed to the file system exactly, neither trimmed
//                     nor limited to 260 characters
//   "\\.\..."         a device path
//   anything else     relative to the current folder
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pathform {

bool IsBareDrive(std::string_view path);  // "X:"
bool IsDriveRoot(std::string_view path);  // "X:\"
bool IsLongForm(std::string_view path);   // "\\?\..."
bool IsDevicePath(std::string_view path); // "\\.\..."

// The length of the root `path` starts with: "X:\" 3, "X:" 2 (the drive of a
// drive-relative path), "\\server\share\" up to and including the backslash
// after the share (or the end), "\\?\X:\" 7, "\\?\UNC\server\share\" likewise
// through the share, "\" 1; 0 for a path relative to the current folder.
std::size_t RootLength(std::string_view path);

// True for a path that names one place whatever the current folder and
// drive: from a drive's root, a share, or in the long form.
bool IsFullyQualified(std::string_view path);

// `name` joined to `folder` with one backslash between them: none is added
// after a trailing backslash, and a bare drive "X:" gives "X:\name". An
// empty folder gives `name` alone (relative to the current folder).
std::string JoinPath(std::string_view folder, std::string_view name);

// The folder with exactly one trailing backslash (a bare drive becomes its
// root); an empty path stays empty.
std::string WithBackslash(std::string_view folder);

// The path without trailing backslashes, except the one of a root ("X:\",
// "\", "\\?\X:\", "\\server\share\" keep theirs).
std::string WithoutBackslash(std::string_view path);

// A fully qualified path with forward slashes made backslashes, separators
// made single, "." names dropped and ".." names taking away the name before
// them (never the root). Every other name is kept exactly as written, trailing
// blanks and dots included. A trailing backslash is kept.
std::string Normalised(std::string_view fullPath);

// True when the file system would not take `path` as written in its plain
// form: it is longer than kLongestPlainPath bytes, or one of its names ends
// in a blank or a dot, which Windows trims ("E100 " would be "E100").
constexpr std::size_t kLongestPlainPath = 240;
bool NeedsLongForm(std::string_view path);

// The long form of a fully qualified path ("X:\a" gives "\\?\X:\a",
// "\\server\share\a" gives "\\?\UNC\server\share\a"), and back. A path
// already in the requested form is returned as it is.
std::string LongFormOf(std::string_view fullPath);
std::string PlainFormOf(std::string_view path);

}  // namespace pathform
