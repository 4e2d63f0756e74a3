// Walking a folder tree: the one way the program lists a folder and what
// lies below it. Each folder is listed once, through one pattern
// ("<folder>\*.*"); "." and ".." are never reported; a sub-folder is
// entered where the listing reports it (depth-first, in listing order); and
// a folder link that leads back into a folder being walked is never
// entered, so a loop of links cannot make the walk endless.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "port/file_system.h"

// How a walk lists one folder: port::FindFiles in the program.
using FolderListing = std::function<bool(const std::string& pattern, std::vector<port::FoundEntry>* entries)>;

// The listing pattern of a folder: the folder, a backslash unless it ends in
// one, and "*.*". "C:\" gives "C:\*.*", "C:\drivers" gives "C:\drivers\*.*".
std::string ListingPattern(const std::string& folder);

// What a walk is asked to do, as plain fields.
struct FolderWalk {
  std::string folder;         // the folder walked, trailing backslash optional
  bool recurse = true;        // enter sub-folders
  bool enterLinks = true;     // enter folder links too (never round a loop)
  bool afterContent = false;  // report each entered folder once more after its content
  FolderListing listing = port::FindFiles;
};

// One entry as the walk reports it.
struct WalkEntry {
  const port::FoundEntry& found;  // name, path as listed, attributes
  int depth = 0;                  // 0 for the entries of the walked folder itself
  // A folder link leading back into a folder being walked: reported, never
  // entered.
  bool leadsBack = false;
  // The second report of a folder, after its content (afterContent).
  bool afterContent = false;
};

// What the visitor wants next. kSkip on a folder's first report: do not
// enter it (on anything else it means kGoOn).
enum class WalkStep { kGoOn, kSkip, kStop };

// Reports every entry below `walk.folder` to `visit`. After kStop no more
// entries are listed or reported, except that every folder being walked at
// that moment still gets its report after its content (afterContent), from
// the innermost out, so a removal can report each enclosing folder that
// stays. A folder that cannot be listed has no entries. Returns false when
// the visitor stopped the walk. Reads only; what the visitor does is its own.
bool Walk(const FolderWalk& walk, const std::function<WalkStep(const WalkEntry&)>& visit);

// The file directly in `folder` named `name`, letter case ignored, in its
// path as the listing spells it (a package's "protocol.ini" for
// "PROTOCOL.INI"); "" when there is none, a folder of that name being none.
std::string FileNamedIn(const std::string& folder, const std::string& name);
