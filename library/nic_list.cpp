#include "library/nic_list.h"

#include <utility>

void NicList::Append(NicEntry entry) { entries_.push_back(std::move(entry)); }

const NicEntry* NicList::FindByRow(int row) const {
  for (const NicEntry& entry : entries_) {
    if (entry.rowIndex == row) return &entry;
  }
  return nullptr;
}

void NicList::RemoveOne(const NicEntry* entry) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (&*it != entry) continue;
    for (auto behind = std::next(it); behind != entries_.end(); ++behind) --behind->rowIndex;
    entries_.erase(it);
    return;
  }
}

void NicList::Clear() { entries_.clear(); }
