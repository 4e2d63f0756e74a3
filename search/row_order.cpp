#include "search/row_order.h"

void RowOrder::InsertAt(int position, int row) {
  nodes_.resize(static_cast<std::size_t>(row) + 1);
  nodes_[static_cast<std::size_t>(row)].priority = NextPriority();
  int before = kNone, after = kNone;
  Split(root_, position, &before, &after);
  root_ = Merge(Merge(before, row), after);
  Node(root_).parent = kNone;
}

void RowOrder::Remove(int row) {
  int before = kNone, rest = kNone, removed = kNone, after = kNone;
  Split(root_, PositionOf(row), &before, &rest);
  Split(rest, 1, &removed, &after);
  root_ = Merge(before, after);
  if (root_ != kNone) Node(root_).parent = kNone;
}

std::vector<int> RowOrder::InOrder() const {
  std::vector<int> order;
  order.reserve(static_cast<std::size_t>(Size()));
  std::vector<int> path;
  int at = root_;
  while (at != kNone || !path.empty()) {
    while (at != kNone) {
      path.push_back(at);
      at = Node(at).left;
    }
    at = path.back();
    path.pop_back();
    order.push_back(at);
    at = Node(at).right;
  }
  return order;
}

// The same sequence on every run, so that the tree's shape (and any fault
// in it) can be reproduced.
std::uint32_t RowOrder::NextPriority() {
  seed_ ^= seed_ << 13;
  seed_ ^= seed_ >> 17;
  seed_ ^= seed_ << 5;
  return seed_;
}

void RowOrder::Update(int at) {
  TreapNode& node = Node(at);
  node.size = 1 + SizeOf(node.left) + SizeOf(node.right);
  if (node.left != kNone) Node(node.left).parent = at;
  if (node.right != kNone) Node(node.right).parent = at;
}

// The first `count` positions of `tree` into `*first`, the rest into
// `*second`.
void RowOrder::Split(int tree, int count, int* first, int* second) {
  if (tree == kNone) {
    *first = *second = kNone;
    return;
  }
  TreapNode& node = Node(tree);
  if (SizeOf(node.left) >= count) {
    int leftRest = kNone;
    Split(node.left, count, first, &leftRest);
    Node(tree).left = leftRest;
    Update(tree);
    *second = tree;
  } else {
    int rightFirst = kNone;
    Split(node.right, count - SizeOf(node.left) - 1, &rightFirst, second);
    Node(tree).right = rightFirst;
    Update(tree);
    *first = tree;
  }
  if (*first != kNone) Node(*first).parent = kNone;
  if (*second != kNone) Node(*second).parent = kNone;
}

int RowOrder::Merge(int first, int second) {
  if (first == kNone) return second;
  if (second == kNone) return first;
  if (Node(first).priority > Node(second).priority) {
    Node(first).right = Merge(Node(first).right, second);
    Update(first);
    return first;
  }
  Node(second).left = Merge(first, Node(second).left);
  Update(second);
  return second;
}

int RowOrder::PositionOf(int row) const {
  int position = SizeOf(Node(row).left);
  for (int at = row; Node(at).parent != kNone; at = Node(at).parent) {
    const int parent = Node(at).parent;
    if (Node(parent).right == at) position += SizeOf(Node(parent).left) + 1;
  }
  return position;
}
