#include "library/delete_card.h"

#include "files/delete_tree.h"
#include "files/folder_walk.h"
#include "files/path_location.h"
#include "library/program_folder.h"
#include "library/scan_driver_library.h"
#include "port/file_system.h"
#include "text/cp936_path.h"

namespace {

// True when the card folder holds more than the card: a sub-folder, or a
// driver file other than `driverFileName` (each driver file is a card of
// its own).
bool HoldsOtherCards(const std::string& folder, const std::string& driverFileName) {
  FolderWalk walk;
  walk.folder = folder;
  walk.recurse = false;
  return !Walk(walk, [&](const WalkEntry& entry) {
    const port::FoundEntry& found = entry.found;
    const bool otherCard =
        found.IsDirectory() || (IsDriverFileName(found.name) && !SameEntryName(found.name, driverFileName));
    return otherCard ? WalkStep::kStop : WalkStep::kGoOn;
  });
}

// Drops every entry whose driver file is gone from the disk, so that each
// entry names a card that exists; true when one was dropped.
bool DropCardsWithoutDriver(CardList* cards) {
  bool dropped = false;
  for (const CardEntry* gone = nullptr;; gone = nullptr) {
    for (const CardEntry& entry : *cards) {
      if (port::GetAttributes(entry.driverPath) == port::kInvalidAttributes) {
        gone = &entry;
        break;
      }
    }
    if (gone == nullptr) break;
    cards->RemoveOne(gone);
    dropped = true;
  }
  return dropped;
}

}  // namespace

DeleteCardOutcome DeleteCardFromLibrary(const std::string& programFolder, const CardList& cards, int row) {
  DeleteCardOutcome outcome;
  outcome.cards = cards;
  const CardEntry* entry = outcome.cards.FindByRow(row);
  if (entry == nullptr) return outcome;

  // The entry's path is only text; whatever it holds, nothing outside the
  // library may be removed on its account. A file name of "." or ".." would
  // make the driver path name a folder above the card folder.
  const std::string driverPath = entry->driverPath;
  const std::string folderWithBackslash = cp936::FolderWithBackslashOf(driverPath);
  const std::string folder = cp936::FolderOf(driverPath);
  const std::string driverFileName = cp936::FileNameOf(driverPath);
  const std::string library = LibraryFolderOf(programFolder);
  if (folderWithBackslash.empty() || driverFileName.empty() || driverFileName == "." || driverFileName == ".." ||
      !IsStrictlyInside(folder, library)) {
    outcome.Refuse("网卡的驱动程序" + driverPath + "不在驱动程序库" + library +
                   "的网卡文件夹中，为安全起见没有删除任何文件。");
    return outcome;
  }

  // A card folder holding no other card is the card's alone and goes whole
  // (a link goes as a link).
  Messages messages;
  if (!HoldsOtherCards(folder, driverFileName) && port::IsFolder(folder)) DeleteTree(folder, &messages);
  // A card folder that is a link and stayed leads to another folder's
  // files: none is deleted through it.
  if (!port::IsLink(folder)) {
    DeleteTree(driverPath, &messages);
    DeleteTree(CardIniOf(driverPath), &messages);
  }
  outcome.FailAll(messages);
  outcome.succeeded = messages.empty();
  outcome.removed = true;
  outcome.cards.RemoveOne(entry);
  outcome.droppedOthers = DropCardsWithoutDriver(&outcome.cards);
  return outcome;
}
