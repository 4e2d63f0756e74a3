#include "library/scan_driver_library.h"

#include "files/folder_walk.h"
#include "text/cp936_path.h"
#include "text/path_form.h"

bool IsDriverFileName(const std::string& name) {
  return name.size() >= 4 && cp936::EqualIgnoringCase(name.substr(name.size() - 4), ".dos");
}

void ScanDriverLibrary(const std::string& folder, CardList* cards) {
  FolderWalk walk;
  walk.folder = folder;
  Walk(walk, [&](const WalkEntry& entry) {
    const port::FoundEntry& found = entry.found;
    if (found.IsDirectory() || !IsDriverFileName(found.name)) return WalkStep::kGoOn;
    CardEntry nic;
    nic.rowIndex = cards->Count();
    // The card is the folder that directly holds the driver file.
    nic.cardName = cp936::FileNameOf(pathform::WithoutBackslash(cp936::FolderOf(found.path)));
    nic.driverPath = found.path;
    cards->Append(std::move(nic));
    return WalkStep::kGoOn;
  });
}
