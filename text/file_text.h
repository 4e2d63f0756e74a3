// The text a driver package's INI or INF file holds, whatever its encoding,
// for reading what it says (a device name, hardware ids). Windows tools save
// these files in UTF-16, with or without a byte order mark, or in UTF-8
// with one, and old Macintosh editors end lines with a lone carriage return;
// the names and ids read from them are ASCII. Never used on a file that is
// written back: the rewrites keep every byte of the files they change.
#pragma once

#include <string>
#include <string_view>

namespace text {

// `bytes` as code page 936 text with line feeds ending its lines:
// - UTF-16, little- or big-endian: after its byte order mark, or without one
//   when a quarter of its characters or more have a NUL byte, nearly all on
//   the same side (as ASCII text in UTF-16 has);
// - UTF-8 after its byte order mark;
// - anything else: code page 936, as it is.
// In UTF-16 and UTF-8 each ASCII character is its byte and every other
// character one '?', which no name or id holds. A carriage return not
// followed by a line feed becomes a line feed.
std::string FileText(std::string_view bytes);

}  // namespace text
