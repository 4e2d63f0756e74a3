// Keeps a recursive folder walk from going round a loop of directory links
// (symbolic links, junctions) that lead back into the folders being walked.
//
// The walk calls Enter before reading a folder and Leave after it. A folder
// reached through a link is refused when it is one of the folders being
// walked at that moment; folders reached through plain entries are always
// entered, since only a link can lead back up the tree. Folder identities are
// asked of the file system only when a link is met.
#pragma once

#include <string>
#include <vector>

#include "port/file_system.h"

class FolderLoopGuard {
 public:
  // False: `path` leads back to a folder being walked; do not walk it.
  bool Enter(const std::string& path, bool reachedThroughLink);
  void Leave();

 private:
  struct Level {
    std::string path;
    bool idAsked = false;
    bool idKnown = false;
    port::FolderId id;
  };
  std::vector<Level> levels_;
};
