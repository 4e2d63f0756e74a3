#include "library/card_list.h"

#include <utility>

void CardList::Append(CardEntry entry) { entries_.push_back(std::move(entry)); }

const CardEntry* CardList::FindByRow(int row) const {
  for (const CardEntry& entry : entries_) {
    if (entry.rowIndex == row) return &entry;
  }
  return nullptr;
}

void CardList::RemoveOne(const CardEntry* entry) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (&*it != entry) continue;
    for (auto behind = std::next(it); behind != entries_.end(); ++behind) --behind->rowIndex;
    entries_.erase(it);
    return;
  }
}

void CardList::Clear() { entries_.clear(); }
