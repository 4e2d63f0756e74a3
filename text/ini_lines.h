// The lines of an INI file (SYSTEM.INI, PROTOCOL.INI, OEMSETUP.INF) as the
// DOS network client and its setup read them: "[name]" starts a section, a
// line whose first character other than a blank or tab is ';' is a comment,
// and any other line with an '=' is "key = value", blanks and tabs allowed
// around both; a ';' after a blank or tab, outside double quotes, starts a
// comment that ends the value. Keys are compared by the callers with letter
// case ignored.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace text {

struct IniLine {
  std::size_t start = 0;  // the line's bytes [start, end), without its line break
  std::size_t end = 0;
  std::string section;     // the section it lies in, as written ("" before the first)
  bool isSection = false;  // a "[name]" line; `section` is then its own name
  bool isComment = false;
  std::string key;    // before the first '=', blanks and tabs trimmed; "" without one
  std::string value;  // after it, up to a comment, blanks and tabs trimmed

  // A "key = value" line (neither a section nor a comment) whose key is
  // `name`, letter case ignored.
  bool HasKey(std::string_view name) const;
};

// Every line of `bytes`, split as SplitTextLines splits them. Code page 936
// text is safe: a trail byte is never taken for a bracket.
std::vector<IniLine> ReadIniLines(std::string_view bytes);

// The value of the first line of `section` (letter case ignored) whose key
// is `key`; false when there is none.
bool FindIniValue(const std::vector<IniLine>& lines, std::string_view section, std::string_view key,
                  std::string* value);

}  // namespace text
