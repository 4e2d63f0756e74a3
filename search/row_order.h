// The order of the driver search's result rows: a sequence of row numbers
// that takes an insertion at any position and the removal of any row.
//
// Each folder inserts at its own count of insertions, and a preferred file
// removes rows from anywhere, which moves the rows behind them up one place:
// later insertions then land among different neighbours. A linked list with
// tombstones would keep the removed rows' places and so build another
// order. This is a treap keyed by position (each node knows the size of its
// subtree), with parent links so that a row can be found from its number:
// O(log n) per insertion and removal.
#pragma once

#include <cstdint>
#include <vector>

class RowOrder {
 public:
  int Size() const { return SizeOf(root_); }

  // Puts row `row` (the next number: rows are numbered 0, 1, 2 ... in order
  // of insertion) at `position`, 0 being the top.
  void InsertAt(int position, int row);
  // Takes row `row` out; the rows behind it move up one place.
  void Remove(int row);
  // The row numbers top to bottom.
  std::vector<int> InOrder() const;

 private:
  static constexpr int kNone = -1;
  struct TreapNode {
    int left = kNone;
    int right = kNone;
    int parent = kNone;
    int size = 1;
    std::uint32_t priority = 0;
  };

  TreapNode& Node(int at) { return nodes_[static_cast<std::size_t>(at)]; }
  const TreapNode& Node(int at) const { return nodes_[static_cast<std::size_t>(at)]; }
  int SizeOf(int at) const { return at == kNone ? 0 : Node(at).size; }
  std::uint32_t NextPriority();
  void Update(int at);
  void Split(int tree, int count, int* first, int* second);
  int Merge(int first, int second);
  int PositionOf(int row) const;

  std::vector<TreapNode> nodes_;
  int root_ = kNone;
  std::uint32_t seed_ = 2463534242u;
};
