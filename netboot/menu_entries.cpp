#include "netboot/menu_entries.h"

#include "bootdisk/card_title.h"
#include "text/cp936_path.h"

namespace {

bool IsLetterOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

bool IsPlainFileName(const std::string& text) {
  if (text.empty() || !IsLetterOrDigit(text.front())) return false;
  for (char c : text) {
    if (!IsLetterOrDigit(c) && c != '-' && c != '_') return false;
  }
  return true;
}

std::string ImageBase(const BuiltCard& card) {
  const std::string base = cp936::UpperAscii(cp936::BaseNameOf(card.driverFileName));
  return IsPlainFileName(base) ? base : "CARD" + std::to_string(card.row + 1);
}

}  // namespace

const MenuEntry& MenuEntries::Add(const BuiltCard& card) {
  MenuEntry entry;
  entry.label = "card" + std::to_string(entries_.size() + 1);
  // A later card of a base name that another's numbering already took
  // ("E1000-2.DOS" beside two E1000.DOS) numbers on past it.
  const std::string base = ImageBase(card);
  do {
    const int nth = ++imagesOfBase_[base];
    entry.imageName = (nth == 1 ? base : base + "-" + std::to_string(nth)) + ".IMG";
  } while (!imageNames_.insert(entry.imageName).second);
  titles_.push_back({card.row, card.cardName, card.driverFileName, entry.imageName});
  entry.hardDisk = card.hardDisk;
  for (const PciId& id : card.ids) {
    if (claimed_.insert({id.vendor, id.device}).second) entry.ids.push_back(id);
  }
  entries_.push_back(std::move(entry));
  return entries_.back();
}

std::vector<MenuEntry> MenuEntries::Entries() const {
  std::vector<MenuEntry> entries = entries_;
  const std::vector<std::string> titles = CardTitles(titles_);
  for (std::size_t i = 0; i < entries.size(); ++i) entries[i].title = titles[i];
  return entries;
}

std::vector<MenuEntry> MenuEntriesOf(const std::vector<BuiltCard>& cards) {
  MenuEntries entries;
  for (const BuiltCard& card : cards) entries.Add(card);
  return entries.Entries();
}
