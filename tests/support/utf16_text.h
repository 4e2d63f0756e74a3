// ASCII text saved as Windows tools save a PROTOCOL.INI or an INF file in
// Unicode: UTF-16, little- or big-endian, with or without its byte order
// mark.
#pragma once

#include <string>

inline std::string Utf16(const std::string& ascii, bool bigEndian = false, bool mark = true) {
  std::string bytes = mark ? (bigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
  for (const char c : ascii) bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  return bytes;
}
