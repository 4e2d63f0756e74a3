#include "library/rename_card.h"

#include <vector>

#include "library/card_name_check.h"
#include "files/path_location.h"
#include "files/replacing_file.h"
#include "library/program_folder.h"
#include "library/scan_driver_library.h"
#include "port/file_system.h"
#include "text/cp936_path.h"

namespace {

// One card folder to rename: where it is and where it goes.
struct FolderRename {
  std::string from;
  std::string to;
};

bool IsFolderOfRename(const std::string& folder, const std::vector<FolderRename>& renames) {
  for (const FolderRename& rename : renames) {
    if (IsSameLocation(folder, rename.from)) return true;
  }
  return false;
}

// Renames one folder. A file system that ignores letter case may refuse or
// ignore a rename that changes only the case, so that goes through a
// temporary name; should the second step fail, the folder gets its old name
// back. False with `error` set when the folder could not be renamed.
bool RenameFolder(const FolderRename& rename, std::string* error) {
  const bool caseOnly = SameEntryName(cp936::FileNameOf(rename.from), cp936::FileNameOf(rename.to));
  if (!caseOnly) {
    if (port::MoveEntry(rename.from, rename.to)) return true;
    *error = port::LastErrorText();
    return false;
  }
  const std::string temporary = UnusedNameBeside(rename.from);
  if (!port::MoveEntry(rename.from, temporary)) {
    *error = port::LastErrorText();
    return false;
  }
  if (port::MoveEntry(temporary, rename.to)) return true;
  *error = port::LastErrorText();
  if (!port::MoveEntry(temporary, rename.from)) *error += "\n文件夹现在的名称是" + temporary + "。";
  return false;
}

// The row of the renamed card after the rescan: the entry of the same driver
// file in the new folder, else any entry lying directly in it; -1 if none.
int RowOfRenamedCard(const CardList& cards, const std::string& newFolder, const std::string& driverFileName) {
  int anyRow = -1;
  for (const CardEntry& entry : cards) {
    if (!IsSameLocation(cp936::FolderOf(entry.driverPath), newFolder)) continue;
    if (cp936::FileNameOf(entry.driverPath) == driverFileName) return entry.rowIndex;
    if (anyRow == -1) anyRow = entry.rowIndex;
  }
  return anyRow;
}

}  // namespace

bool IsRenameNameGiven(const std::string& typed) { return !typed.empty(); }

RenameCardOutcome RenameCardFolder(const std::string& programFolder, const CardList& cards, int row,
                                   const std::string& newName) {
  RenameCardOutcome outcome;
  const CardEntry* selected = cards.FindByRow(row);
  if (selected == nullptr) return outcome;
  const std::string selectedDriverFileName = cp936::FileNameOf(selected->driverPath);

  const std::string refusal = CheckCardName(newName);
  if (!refusal.empty()) {
    outcome.Refuse(refusal);
    return outcome;
  }

  // Every entry of the row names a folder to rename (normally there is
  // one); each must lie inside the library, whatever its path holds.
  const std::string library = LibraryFolderOf(programFolder);
  std::vector<FolderRename> renames;
  for (const CardEntry& entry : cards) {
    if (entry.rowIndex != row) continue;
    const std::string from = cp936::FolderOf(entry.driverPath);
    if (!IsStrictlyInside(from, library)) {
      outcome.Refuse("网卡文件夹" + from + "不在驱动程序库" + library + "中，为安全起见没有更改名称。");
      return outcome;
    }
    if (!IsFolderOfRename(from, renames)) renames.push_back({from, cp936::FolderWithBackslashOf(from) + newName});
  }

  for (const CardEntry& entry : cards) {
    if (SameCardFolderName(entry.cardName, newName) && !IsFolderOfRename(cp936::FolderOf(entry.driverPath), renames)) {
      outcome.Refuse("已有名为" + entry.cardName + "的网卡，请换一个名称！");
      return outcome;
    }
  }

  std::vector<FolderRename> done;
  for (const FolderRename& rename : renames) {
    if (cp936::FileNameOf(rename.from) == newName) continue;  // already so named
    std::string error;
    if (!RenameFolder(rename, &error)) {
      for (auto it = done.rbegin(); it != done.rend(); ++it) port::MoveEntry(it->to, it->from);
      outcome.FileError("无法把网卡文件夹" + rename.from + "更名为" + newName + "：" + error);
      return outcome;
    }
    done.push_back(rename);
  }
  if (done.empty()) return outcome;

  outcome.succeeded = true;
  outcome.renamed = true;
  ScanDriverLibrary(library, &outcome.cards);
  outcome.renamedRow = RowOfRenamedCard(outcome.cards, renames.front().to, selectedDriverFileName);
  return outcome;
}
