// The list of cards: CardEntry records in insertion order, as the library
// scan finds them and the main window shows them.
//
// Invariant, kept by every command that changes it: the entries lie in
// ascending rowIndex order, the rowIndex values are 0, 1, 2, ... without
// gaps, and the entry with rowIndex i is the one shown in row i of the card
// list.
#pragma once

#include <list>
#include <string>

#include "library/card_entry.h"

class CardList {
 public:
  using const_iterator = std::list<CardEntry>::const_iterator;

  // Adds an entry at the end.
  void Append(CardEntry entry);

  // The first entry from the front whose rowIndex is `row`, or nullptr.
  const CardEntry* FindByRow(int row) const;

  // Unlinks `entry` after lowering by one the rowIndex of every entry behind
  // it. Does nothing when `entry` is not in the list.
  void RemoveOne(const CardEntry* entry);

  void Clear();
  int Count() const { return static_cast<int>(entries_.size()); }
  bool IsEmpty() const { return entries_.empty(); }

  const_iterator begin() const { return entries_.begin(); }
  const_iterator end() const { return entries_.end(); }

 private:
  std::list<CardEntry> entries_;
};
