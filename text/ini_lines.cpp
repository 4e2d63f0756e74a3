#include "text/ini_lines.h"

#include <algorithm>

#include "text/cp936_path.h"
#include "text/text_lines.h"

namespace text {
namespace {

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The value without a comment after it: from a ';' that follows a blank or
// tab outside double quotes ("MS2000$   ; NE2000 compatible").
std::string_view WithoutComment(std::string_view value) {
  bool quoted = false;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '"') quoted = !quoted;
    if (value[i] == ';' && !quoted && i > 0 && (value[i - 1] == ' ' || value[i - 1] == '\t')) {
      return TrimBlanks(value.substr(0, i));
    }
  }
  return value;
}

}  // namespace

bool IniLine::HasKey(std::string_view name) const {
  return !isSection && !isComment && cp936::EqualIgnoringCase(key, name);
}

std::vector<IniLine> ReadIniLines(std::string_view bytes) {
  std::vector<IniLine> lines;
  std::string section;
  for (const TextLine& span : SplitTextLines(bytes)) {
    IniLine line;
    line.start = span.start;
    line.end = span.end;
    const std::string_view text = TrimBlanks(bytes.substr(span.start, span.end - span.start));
    if (!text.empty() && text.front() == '[') {
      const std::size_t close = cp936::FindFirst(text, ']');
      section = std::string(text.substr(1, close == cp936::npos ? cp936::npos : close - 1));
      line.isSection = true;
    } else if (!text.empty() && text.front() == ';') {
      line.isComment = true;
    } else {
      // '=' is below every trail byte, so it is never part of a character.
      const std::size_t equals = text.find('=');
      if (equals != std::string_view::npos) {
        line.key = std::string(TrimBlanks(text.substr(0, equals)));
        line.value = std::string(WithoutComment(TrimBlanks(text.substr(equals + 1))));
      }
    }
    line.section = section;
    lines.push_back(std::move(line));
  }
  return lines;
}

// A quote and the blanks are single bytes below every trail byte, so no
// double-byte character loses a byte here.
std::string ClientValue(std::string_view value) {
  std::string unquoted;
  for (const char c : value) {
    if (c != '"') unquoted += c;
  }
  return std::string(TrimBlanks(unquoted));
}

std::vector<std::string> ClientValueList(std::string_view value) {
  std::vector<std::string> names;
  const std::string read = ClientValue(value);
  for (std::size_t start = 0; start <= read.size();) {
    const std::size_t comma = std::min(read.find(',', start), read.size());
    std::string name = ClientValue(std::string_view(read).substr(start, comma - start));
    if (!name.empty()) names.push_back(std::move(name));
    start = comma + 1;
  }
  return names;
}

IniSections::IniSections(const std::vector<IniLine>& lines) {
  IniSection* current = nullptr;
  for (const IniLine& line : lines) {
    if (current == nullptr || line.isSection) {
      const auto found = byName_.emplace(cp936::UpperAscii(ClientValue(line.section)), sections_.size());
      if (found.second) sections_.push_back({line.section, {}});
      current = &sections_[found.first->second];
    }
    if (!line.isSection && !line.isComment && !line.key.empty()) current->keyLines.push_back(&line);
  }
}

const IniSection* IniSections::Find(std::string_view name) const {
  const auto found = byName_.find(cp936::UpperAscii(ClientValue(name)));
  return found == byName_.end() ? nullptr : &sections_[found->second];
}

}  // namespace text
