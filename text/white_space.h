// Trimming as the program does it wherever it trims typed or listed text:
// white space is the single-byte characters space, tab, line feed, vertical
// tab, form feed and carriage return. Bytes of double-byte characters are
// never white space.
#pragma once

#include <string>
#include <string_view>

namespace text {

bool IsWhiteSpace(char c);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
std::string Trim(std::string_view s);

}  // namespace text
