#include "library/folder_loop_guard.h"

bool FolderLoopGuard::Enter(const std::string& path, bool reachedThroughLink) {
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

void FolderLoopGuard::Leave() {
  if (!levels_.empty()) levels_.pop_back();
}
