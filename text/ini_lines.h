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
#include <unordered_map>
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

// A value (or a section's name) as the client reads it: its double quotes
// removed ("PROTMAN$" is PROTMAN$) and the blanks and tabs around it
// trimmed. Compare the result with letter case ignored.
std::string ClientValue(std::string_view value);

// A list value (BINDINGS=NIC1,"NIC2") as the client reads it: the parts
// between commas, each as ClientValue reads it, empty ones left out.
std::vector<std::string> ClientValueList(std::string_view value);

// The "key = value" lines of one section: every "[name]" of the file
// spelling its name as the client reads it (ClientValue, any letter case)
// adds to it, as the client joins them.
struct IniSection {
  std::string name;                      // as first written; "" for the lines before the first
  std::vector<const IniLine*> keyLines;  // in file order
};

// The sections of a file, indexed once, so that looking one up by name
// costs no walk through the file. Holds pointers into `lines`, which must
// outlive it.
class IniSections {
 public:
  explicit IniSections(const std::vector<IniLine>& lines);

  // In the order their first line stands in the file.
  const std::vector<IniSection>& All() const { return sections_; }

  // The section named `name` as the client reads names (ClientValue, any
  // letter case); nullptr when the file has none.
  const IniSection* Find(std::string_view name) const;

 private:
  std::vector<IniSection> sections_;
  std::unordered_map<std::string, std::size_t> byName_;  // the upper-cased client name
};

}  // namespace text
