// The main window's list of cards: NicEntry records in insertion order.
//
// Invariant, kept by every command that changes it: the entries lie in
// ascending rowIndex order, the rowIndex values are 0, 1, 2, ... without
// gaps, and the entry with rowIndex i is the one shown in row i of the card
// list.
#pragma once

#include <list>
#include <string>

#include "library/nic_entry.h"

class NicList {
 public:
  using const_iterator = std::list<NicEntry>::const_iterator;

  // Adds an entry at the end.
  void Append(NicEntry entry);

  // The first entry from the front whose rowIndex is `row`, or nullptr.
  const NicEntry* FindByRow(int row) const;

  // Unlinks `entry` after lowering by one the rowIndex of every entry behind
  // it. Does nothing when `entry` is not in the list.
  void RemoveOne(const NicEntry* entry);

  void Clear();
  int Count() const { return static_cast<int>(entries_.size()); }
  bool IsEmpty() const { return entries_.empty(); }

  const_iterator begin() const { return entries_.begin(); }
  const_iterator end() const { return entries_.end(); }

 private:
  std::list<NicEntry> entries_;
};
