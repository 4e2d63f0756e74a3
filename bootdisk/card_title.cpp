#include "bootdisk/card_title.h"

#include <map>

#include "text/white_space.h"

namespace {

bool IsPrintableAscii(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < 0x20 || c > 0x7E) return false;
  }
  return true;
}

// A title as every menu can show it literally: characters a menu reads as
// markup (a PXELINUX hotkey, an iPXE setting or operator) become '_'.
std::string AsMenuText(std::string title) {
  for (char& c : title) {
    if (std::string("$^{}#;|&\\`'\"").find(c) != std::string::npos) c = '_';
  }
  return title;
}

std::string TitleOf(const TitleSource& card) {
  for (const std::string& choice : {card.cardName, card.driverFileName, card.fallback}) {
    const std::string trimmed = text::Trim(choice);
    if (IsPrintableAscii(trimmed)) return AsMenuText(trimmed);
  }
  return std::string();
}

}  // namespace

std::vector<std::string> CardTitles(const std::vector<TitleSource>& cards) {
  std::vector<std::string> titles;
  std::map<std::string, int> uses;
  for (const TitleSource& card : cards) ++uses[titles.emplace_back(TitleOf(card))];
  for (std::size_t i = 0; i < titles.size(); ++i) {
    if (uses[titles[i]] > 1) titles[i] += " (row " + std::to_string(cards[i].row + 1) + ")";
  }
  return titles;
}
