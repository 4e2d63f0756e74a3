#include "files/folder_walk.h"

#include <utility>

#include "text/cp936_path.h"
#include "text/path_form.h"

namespace {

// Keeps the walk from going round a loop of folder links. Folder identities
// are asked of the file system only once a link is met: only a link can lead
// back up the tree.
class FolderLoopGuard {
 public:
  // False: `path`, reached through a link, is a folder being walked.
  bool Enter(const std::string& path, bool reachedThroughLink) {
    Level level;
    level.path = path;
    if (reachedThroughLink) {
      level.idAsked = true;
      level.idKnown = port::GetFolderId(path, &level.id);
      if (!level.idKnown) return false;  // a link that leads nowhere we can tell
      for (Level& outer : levels_) {
        if (!outer.idAsked) {
          outer.idAsked = true;
          outer.idKnown = port::GetFolderId(outer.path, &outer.id);
        }
        if (outer.idKnown && outer.id == level.id) return false;
      }
    }
    levels_.push_back(std::move(level));
    return true;
  }

  void Leave() { levels_.pop_back(); }

 private:
  struct Level {
    std::string path;
    bool idAsked = false;
    bool idKnown = false;
    port::FolderId id;
  };
  std::vector<Level> levels_;
};

class Walker {
 public:
  Walker(const FolderWalk& walk, const std::function<WalkStep(const WalkEntry&)>& visit)
      : walk_(walk), visit_(visit) {}

  bool Run() {
    guard_.Enter(pathform::WithoutBackslash(walk_.folder), false);
    WalkFolder(walk_.folder, 0);
    return !stopped_;
  }

 private:
  void WalkFolder(const std::string& folder, int depth) {
    std::vector<port::FoundEntry> entries;
    if (!walk_.listing(ListingPattern(folder), &entries)) return;
    for (const port::FoundEntry& found : entries) {
      if (found.IsDots()) continue;
      if (!found.IsDirectory()) {
        if (visit_(WalkEntry{found, depth}) == WalkStep::kStop) stopped_ = true;
      } else {
        VisitFolder(found, depth);
      }
      if (stopped_) return;
    }
  }

  void VisitFolder(const port::FoundEntry& found, int depth) {
    const bool mayEnter = walk_.recurse && (walk_.enterLinks || !found.IsLink());
    const bool entered = mayEnter && guard_.Enter(found.path, found.IsLink());
    WalkEntry entry{found, depth};
    entry.leadsBack = mayEnter && !entered;
    const WalkStep step = visit_(entry);
    if (step == WalkStep::kStop) stopped_ = true;
    if (!entered) return;
    if (step == WalkStep::kGoOn) {
      WalkFolder(found.path, depth + 1);
      if (walk_.afterContent) {
        entry.afterContent = true;
        if (visit_(entry) == WalkStep::kStop) stopped_ = true;
      }
    }
    guard_.Leave();
  }

  const FolderWalk& walk_;
  const std::function<WalkStep(const WalkEntry&)>& visit_;
  FolderLoopGuard guard_;
  bool stopped_ = false;
};

}  // namespace

std::string ListingPattern(const std::string& folder) {
  std::string pattern = folder;
  if (!cp936::EndsWithBackslash(pattern)) pattern += '\\';
  pattern += "*.*";
  return pattern;
}

bool Walk(const FolderWalk& walk, const std::function<WalkStep(const WalkEntry&)>& visit) {
  return Walker(walk, visit).Run();
}

std::string FileNamedIn(const std::string& folder, const std::string& name) {
  std::string found;
  FolderWalk walk;
  walk.folder = folder;
  walk.recurse = false;
  Walk(walk, [&](const WalkEntry& entry) {
    if (entry.found.IsDirectory() || !cp936::EqualIgnoringCase(entry.found.name, name)) return WalkStep::kGoOn;
    found = entry.found.path;
    return WalkStep::kStop;
  });
  return found;
}
