#include "netboot/menu_entries.h"

#include <map>
#include <set>

#include "text/cp936_path.h"

namespace {

bool IsPrintableAscii(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < 0x20 || c > 0x7E) return false;
  }
  return true;
}

// A title as both menus can show it literally: characters a menu reads as
// markup (a PXELINUX hotkey, an iPXE setting or operator) become '_'.
std::string AsMenuText(std::string title) {
  for (char& c : title) {
    if (std::string("$^{}#;|&\\`'\"").find(c) != std::string::npos) c = '_';
  }
  return title;
}

bool IsPlainFileName(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    if (!plain) return false;
  }
  return true;
}

std::string ImageBase(const BuiltCard& card) {
  const std::string base = cp936::UpperAscii(cp936::BaseNameOf(card.driverFileName));
  return IsPlainFileName(base) ? base : "CARD" + std::to_string(card.row + 1);
}

}  // namespace

std::vector<MenuEntry> MenuEntriesOf(const std::vector<BuiltCard>& cards) {
  std::vector<MenuEntry> entries;
  std::map<std::string, int> imagesOfBase;
  std::set<std::string> imageNames;
  std::map<std::string, int> titleUses;
  std::vector<PciId> claimed;
  for (const BuiltCard& card : cards) {
    MenuEntry entry;
    entry.label = "card" + std::to_string(entries.size() + 1);
    // A later card of a base name that another's numbering already took
    // ("E1000-2.DOS" beside two E1000.DOS) numbers on past it.
    const std::string base = ImageBase(card);
    do {
      const int nth = ++imagesOfBase[base];
      entry.imageName = (nth == 1 ? base : base + "-" + std::to_string(nth)) + ".IMG";
    } while (!imageNames.insert(entry.imageName).second);
    entry.title = AsMenuText(IsPrintableAscii(card.cardName)         ? card.cardName
                             : IsPrintableAscii(card.driverFileName) ? card.driverFileName
                                                                     : entry.imageName);
    ++titleUses[entry.title];
    entry.hardDisk = card.hardDisk;
    for (const PciId& id : card.ids) {
      bool taken = false;
      for (const PciId& other : claimed) taken = taken || other == id;
      if (taken) continue;
      claimed.push_back(id);
      entry.ids.push_back(id);
    }
    entries.push_back(std::move(entry));
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (titleUses[entries[i].title] > 1) entries[i].title += " (row " + std::to_string(cards[i].row + 1) + ")";
  }
  return entries;
}
