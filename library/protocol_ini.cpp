#include "library/protocol_ini.h"

#include <string>

#include "text/cp936_path.h"
#include "text/white_space.h"

namespace {

bool HasBindings(const std::vector<text::IniLine>& lines, const std::string& section) {
  for (const text::IniLine& line : lines) {
    if (line.HasKey("BINDINGS") && cp936::EqualIgnoringCase(line.section, section)) return true;
  }
  return false;
}

}  // namespace

std::vector<const text::IniLine*> CardDriverNameLines(const std::vector<text::IniLine>& lines) {
  std::vector<const text::IniLine*> cards;
  for (const text::IniLine& line : lines) {
    if (!line.HasKey("DriverName") || cp936::EqualIgnoringCase(line.value, "PROTMAN$")) continue;
    bool seen = false;
    for (const text::IniLine* card : cards) seen = seen || cp936::EqualIgnoringCase(card->section, line.section);
    if (!seen && !HasBindings(lines, line.section)) cards.push_back(&line);
  }
  return cards;
}

const text::IniLine* BoundCardDriverNameLine(const std::vector<text::IniLine>& lines) {
  const std::vector<const text::IniLine*> cards = CardDriverNameLines(lines);
  for (const text::IniLine& line : lines) {
    if (!line.HasKey("BINDINGS")) continue;
    std::string rest = line.value;
    while (!rest.empty()) {
      const std::size_t comma = rest.find(',');
      const std::string bound = text::Trim(rest.substr(0, comma));
      rest = comma == std::string::npos ? std::string() : rest.substr(comma + 1);
      bool isSection = false;
      for (const text::IniLine& other : lines) isSection = isSection || (other.isSection && cp936::EqualIgnoringCase(other.section, bound));
      if (!isSection) continue;
      for (const text::IniLine* card : cards) {
        if (cp936::EqualIgnoringCase(card->section, bound)) return card;
      }
      return nullptr;
    }
  }
  return cards.empty() ? nullptr : cards.front();
}
