#include "library/scan_driver_library.h"

#include <vector>

#include "library/folder_loop_guard.h"
#include "port/file_system.h"
#include "text/cp936_path.h"

namespace {

void ScanFolder(const std::string& folder, const std::string& folderName, NicList* nicList,
                FolderLoopGuard* guard) {
  std::string pattern = folder;
  if (!cp936::EndsWithBackslash(pattern)) pattern += '\\';
  pattern += "*.*";
  std::vector<port::FoundEntry> entries;
  if (!port::FindFiles(pattern, &entries)) return;
  for (const port::FoundEntry& entry : entries) {
    if (entry.IsDots()) continue;
    if (entry.IsDirectory()) {
      if (guard->Enter(entry.path, entry.IsLink())) {
        ScanFolder(entry.path, entry.name, nicList, guard);
        guard->Leave();
      }
      continue;
    }
    if (!IsDriverFileName(entry.name)) continue;
    NicEntry nic;
    nic.rowIndex = nicList->Count();
    nic.cardName = folderName;
    nic.driverPath = entry.path;
    nicList->Append(std::move(nic));
  }
}

}  // namespace

bool IsDriverFileName(const std::string& name) {
  return name.size() >= 4 && cp936::EqualIgnoringCase(name.substr(name.size() - 4), ".dos");
}

void ScanDriverLibrary(const std::string& folder, NicList* nicList) {
  std::string top = folder;
  while (cp936::EndsWithBackslash(top) && top.size() > 1) top.pop_back();
  FolderLoopGuard guard;
  guard.Enter(top, false);
  ScanFolder(folder, cp936::FileNameOf(top), nicList, &guard);
}
