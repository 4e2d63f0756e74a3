#include "search/find_driver_files.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "library/folder_loop_guard.h"
#include "library/scan_driver_library.h"
#include "text/cp936_path.h"
#include "text/white_space.h"

namespace {

constexpr std::string_view kPreferredMarker = "MSLANMAN.DOS";

// The order of the result rows, as a sequence of row numbers that takes an
// insertion at any position and the removal of any row.
//
// Each folder inserts at its own count of insertions, and a preferred file
// removes rows from anywhere, which moves the rows behind them up one place:
// later insertions then land among different neighbours. A linked list with
// tombstones would keep the removed rows' places and so build another
// order. This is a treap keyed by position (each node knows the size of its
// subtree), with parent links so that a row can be found from its number.
class RowOrder {
 public:
  int Size() const { return SizeOf(root_); }

  // Puts row `row` (the next number: rows are numbered 0, 1, 2 ... in order
  // of insertion) at `position`, 0 being the top.
  void InsertAt(int position, int row) {
    nodes_.resize(static_cast<std::size_t>(row) + 1);
    nodes_[static_cast<std::size_t>(row)].priority = NextPriority();
    int before = kNone, after = kNone;
    Split(root_, position, &before, &after);
    root_ = Merge(Merge(before, row), after);
    Node(root_).parent = kNone;
  }

  void Remove(int row) {
    int before = kNone, rest = kNone, removed = kNone, after = kNone;
    Split(root_, PositionOf(row), &before, &rest);
    Split(rest, 1, &removed, &after);
    root_ = Merge(before, after);
    if (root_ != kNone) Node(root_).parent = kNone;
  }

  // The row numbers top to bottom.
  std::vector<int> InOrder() const {
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

  // The same sequence on every run, so that the tree's shape (and any fault
  // in it) can be reproduced.
  std::uint32_t NextPriority() {
    seed_ ^= seed_ << 13;
    seed_ ^= seed_ >> 17;
    seed_ ^= seed_ << 5;
    return seed_;
  }

  void Update(int at) {
    TreapNode& node = Node(at);
    node.size = 1 + SizeOf(node.left) + SizeOf(node.right);
    if (node.left != kNone) Node(node.left).parent = at;
    if (node.right != kNone) Node(node.right).parent = at;
  }

  // The first `count` positions of `tree` into `*first`, the rest into
  // `*second`.
  void Split(int tree, int count, int* first, int* second) {
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

  int Merge(int first, int second) {
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

  int PositionOf(int row) const {
    int position = SizeOf(Node(row).left);
    for (int at = row; Node(at).parent != kNone; at = Node(at).parent) {
      const int parent = Node(at).parent;
      if (Node(parent).right == at) position += SizeOf(Node(parent).left) + 1;
    }
    return position;
  }

  std::vector<TreapNode> nodes_;
  int root_ = kNone;
  std::uint32_t seed_ = 2463534242u;
};

// The rows of one file name that are listed now. A preferred row removes all
// others of its name and keeps later ordinary ones out, so a name has either
// its one preferred row or any number of ordinary ones.
struct RowsOfName {
  int preferred = -1;
  std::vector<int> ordinary;
};

class DriverSearch {
 public:
  explicit DriverSearch(const FolderListing& listing) : listing_(listing) {}

  void Run(const std::string& folder) {
    guard_.Enter(folder, false);
    SearchFolder(folder);
    guard_.Leave();
  }

  std::vector<DriverRow> Rows() {
    std::vector<DriverRow> rows;
    rows.reserve(static_cast<std::size_t>(order_.Size()));
    for (int row : order_.InOrder()) rows.push_back(std::move(found_[static_cast<std::size_t>(row)]));
    return rows;
  }

 private:
  // A cheap first test on the untrimmed name, so that only names that can
  // be driver files are trimmed and compared: the last byte that is not
  // white space must be an s.
  static bool MayBeDriverFileName(const std::string& name) {
    std::size_t end = name.size();
    while (end > 0 && text::IsWhiteSpace(name[end - 1])) --end;
    return end >= 4 && (name[end - 1] == 's' || name[end - 1] == 'S');
  }

  void SearchFolder(const std::string& folder) {
    std::vector<port::FoundEntry> entries;
    if (!listing_(DriverSearchPattern(folder), &entries)) return;
    int insertPosition = 0;  // the rows this folder has inserted
    for (const port::FoundEntry& entry : entries) {
      if (entry.IsDots()) continue;
      if (entry.IsDirectory()) {
        if (guard_.Enter(entry.path, entry.IsLink())) {
          SearchFolder(entry.path);
          guard_.Leave();
        }
        continue;
      }
      if (!MayBeDriverFileName(entry.name)) continue;
      std::string name = text::Trim(entry.name);
      if (!IsDriverFileName(name)) continue;
      std::string path = text::Trim(entry.path);
      const bool preferred = IsPreferredDriverPath(path);
      RowsOfName& rowsOfName = byName_[name];
      if (preferred) {
        for (int row : rowsOfName.ordinary) order_.Remove(row);
        rowsOfName.ordinary.clear();
        if (rowsOfName.preferred != -1) order_.Remove(rowsOfName.preferred);
        rowsOfName.preferred = Insert(insertPosition++, std::move(name), std::move(path));
      } else if (rowsOfName.preferred == -1) {
        rowsOfName.ordinary.push_back(Insert(insertPosition++, std::move(name), std::move(path)));
      }
    }
  }

  int Insert(int position, std::string name, std::string path) {
    const int row = static_cast<int>(found_.size());
    found_.push_back({std::move(name), std::move(path)});
    order_.InsertAt(position < order_.Size() ? position : order_.Size(), row);
    return row;
  }

  const FolderListing& listing_;
  FolderLoopGuard guard_;
  std::vector<DriverRow> found_;  // every row ever inserted, by number
  RowOrder order_;
  std::unordered_map<std::string, RowsOfName> byName_;
};

}  // namespace

std::vector<DriverRow> FindDriverFiles(const std::string& folder, const FolderListing& listing) {
  DriverSearch search(listing);
  search.Run(folder);
  return search.Rows();
}

std::string DriverSearchPattern(const std::string& folder) {
  std::string pattern = folder;
  if (!cp936::EndsWithBackslash(pattern)) pattern += '\\';
  pattern += "*.*";
  return pattern;
}

bool IsPreferredDriverPath(const std::string& path) {
  const std::string_view text(path);
  for (std::size_t i = 0; i + kPreferredMarker.size() <= text.size();) {
    if (text.compare(i, kPreferredMarker.size(), kPreferredMarker) == 0) return true;
    i += cp936::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
  }
  return false;
}

std::string ProposedCardName(const std::string& fileName) {
  const std::size_t dot = cp936::FindLast(fileName, '.');
  return dot == cp936::npos ? fileName : fileName.substr(0, dot);
}

bool AddFieldsComplete(const std::string& driverPath, const std::string& cardName) {
  return !text::Trim(driverPath).empty() && !text::Trim(cardName).empty();
}
