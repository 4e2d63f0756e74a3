// Setting one key of an INI file in place, as a person editing the file by
// hand would: the key's line is rewritten where it stands and every other
// byte is kept, so that comments, other sections, the order of the lines
// and the file's own line breaks survive. The file is read as ReadIniLines
// reads it, and only up to a Ctrl-Z end mark: DOS never reads what follows,
// so nothing there is taken or touched.
#pragma once

#include <string>
#include <string_view>

namespace text {

// The line break lines added to `bytes` get: CR LF when the file's first
// line ends so, else a line feed alone.
std::string_view LineBreakOf(std::string_view bytes);

// Gives `key` the value `value` in the section named `section` (not empty;
// found as the client reads names: quotes and blanks removed, any letter
// case, every "[name]" of that name adding to the section):
// - the section's first line whose key is `key` (any letter case, blanks
//   and tabs around it and around "="; a comment is no key) becomes
//   "<key>=<value>" from the first column, a comment after the old value
//   going with it; the line's own line break is kept;
// - without such a line, "<key>=<value>" is added after the section's last
//   non-blank line, before the blank lines that end the section;
// - without such a section, "[<section>]" and the key's line are added at
//   the end of the text, before a Ctrl-Z end mark.
// `key` and `value` are one line's text each (no line break). Touches
// nothing but `*bytes`.
void SetIniValue(std::string* bytes, std::string_view section, std::string_view key, std::string_view value);

}  // namespace text
