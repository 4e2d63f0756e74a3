#include "search/find_driver_files.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "library/scan_driver_library.h"
#include "text/cp936_path.h"
#include "text/white_space.h"

namespace {

constexpr std::string_view kPreferredMarker = "MSLANMAN.DOS";

// The rows of one file name that are listed now. A preferred row removes all
// others of its name and keeps later ordinary ones out, so a name has either
// its one preferred row or any number of ordinary ones.
struct RowsOfName {
  int preferred = -1;
  std::vector<int> ordinary;
};

class DriverSearch {
 public:
  void Visit(const WalkEntry& entry) {
    const port::FoundEntry& found = entry.found;
    const std::size_t depth = static_cast<std::size_t>(entry.depth);
    if (found.IsDirectory()) {
      // Its entries, one level down, insert from the top again.
      insertPositions_.resize(depth + 2);
      insertPositions_[depth + 1] = 0;
      return;
    }
    if (!MayBeDriverFileName(found.name)) return;
    std::string name = text::Trim(found.name);
    if (!IsDriverFileName(name)) return;
    std::string path = text::Trim(found.path);
    int& insertPosition = insertPositions_[depth];  // the rows this folder has inserted
    RowsOfName& rowsOfName = byName_[name];
    if (IsPreferredDriverPath(path)) {
      for (int row : rowsOfName.ordinary) Remove(row);
      rowsOfName.ordinary.clear();
      if (rowsOfName.preferred != -1) Remove(rowsOfName.preferred);
      rowsOfName.preferred = Insert(insertPosition++, std::move(name), std::move(path));
    } else if (rowsOfName.preferred == -1) {
      rowsOfName.ordinary.push_back(Insert(insertPosition++, std::move(name), std::move(path)));
    }
  }

  std::vector<DriverRow> Rows() {
    std::vector<DriverRow> rows;
    rows.reserve(order_.size());
    for (int row : order_) rows.push_back(std::move(found_[static_cast<std::size_t>(row)]));
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

  // A row removed from anywhere moves the rows behind it up one place, so
  // later insertions land among other neighbours: the order is a plain
  // sequence of row numbers, not positions kept for the removed ones.
  int Insert(int position, std::string name, std::string path) {
    const int row = static_cast<int>(found_.size());
    found_.push_back({std::move(name), std::move(path)});
    const std::size_t at = std::min(static_cast<std::size_t>(position), order_.size());
    order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(at), row);
    return row;
  }

  void Remove(int row) { order_.erase(std::find(order_.begin(), order_.end(), row)); }

  std::vector<int> insertPositions_ = std::vector<int>(1, 0);  // by depth
  std::vector<DriverRow> found_;  // every row ever inserted, by number
  std::vector<int> order_;        // the rows listed, top to bottom
  std::unordered_map<std::string, RowsOfName> byName_;
};

}  // namespace

std::vector<DriverRow> FindDriverFiles(const std::string& folder, const FolderListing& listing, Progress* progress) {
  DriverSearch search;
  FolderWalk walk;
  walk.folder = folder;
  walk.listing = listing;
  std::uint64_t listed = 0;
  bool stopped = false;
  if (progress != nullptr) {
    // A folder is the unit reported: the walk spends its time listing them,
    // and the pattern it lists names the folder.
    walk.listing = [&](const std::string& pattern, std::vector<port::FoundEntry>* entries) {
      const bool read = listing(pattern, entries);
      stopped = !progress->Step(pattern.substr(0, pattern.size() - std::string_view("*.*").size()), ++listed, 0);
      return read && !stopped;
    };
  }
  // Once stopped, the next entry ends the walk: every folder is listed only
  // after its own entry has been visited.
  Walk(walk, [&](const WalkEntry& entry) {
    if (stopped) return WalkStep::kStop;
    search.Visit(entry);
    return WalkStep::kGoOn;
  });
  if (stopped) return {};
  return search.Rows();
}

bool IsPreferredDriverPath(const std::string& path) { return cp936::Contains(path, kPreferredMarker); }

std::string ProposedCardName(const std::string& fileName) {
  const std::size_t dot = cp936::FindLast(fileName, '.');
  return dot == cp936::npos ? fileName : fileName.substr(0, dot);
}

bool AddFieldsComplete(const std::string& driverPath, const std::string& cardName) {
  return !text::Trim(driverPath).empty() && !text::Trim(cardName).empty();
}
