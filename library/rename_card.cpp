#include "library/rename_card.h"

#include <vector>

#include "library/card_list.h"
#include "library/card_name_check.h"
#include "files/path_location.h"
#include "files/replacing_file.h"
#include "library/program_folder.h"
#include "library/scan_driver_library.h"
#include "port/file_system.h"
#include "text/cp936_path.h"

namespace {

const char kCaption[] = "修改错误";

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
int RowOfRenamedCard(const NicList& nicList, const std::string& newFolder, const std::string& driverFileName) {
  int anyRow = -1;
  for (const NicEntry& entry : nicList) {
    if (!IsSameLocation(cp936::FolderOf(entry.driverPath), newFolder)) continue;
    if (cp936::FileNameOf(entry.driverPath) == driverFileName) return entry.rowIndex;
    if (anyRow == -1) anyRow = entry.rowIndex;
  }
  return anyRow;
}

}  // namespace

bool IsRenameNameGiven(const std::string& typed) { return !typed.empty(); }

void RenameCard(MainView& view, NicList* nicList, const std::string& programFolder) {
  if (view.RowCount() == 0) {
    view.ShowMessage("没有可以更名的网卡", "列表为空");
    return;
  }
  view.FocusList();
  const int row = view.SelectedRow();
  if (row == -1) {
    view.ShowMessage("选择要重命名的网卡", kCaption);
    return;
  }
  const NicEntry* selected = nicList->FindByRow(row);
  if (selected == nullptr) return;
  const std::string selectedDriverFileName = cp936::FileNameOf(selected->driverPath);

  std::string newName;
  if (!view.AskNewName(&newName)) return;
  const std::string refusal = CheckCardName(newName);
  if (!refusal.empty()) {
    view.ShowMessage(refusal, kCaption);
    return;
  }

  // Every entry of the row names a folder to rename (normally there is
  // one); each must lie inside the library, whatever its path holds.
  const std::string library = LibraryFolderOf(programFolder);
  std::vector<FolderRename> renames;
  for (const NicEntry& entry : *nicList) {
    if (entry.rowIndex != row) continue;
    const std::string from = cp936::FolderOf(entry.driverPath);
    if (!IsStrictlyInside(from, library)) {
      view.ShowMessage("网卡文件夹" + from + "不在驱动程序库" + library + "中，为安全起见没有更改名称。", kCaption);
      return;
    }
    if (!IsFolderOfRename(from, renames)) renames.push_back({from, cp936::FolderWithBackslashOf(from) + newName});
  }

  for (const NicEntry& entry : *nicList) {
    if (SameCardFolderName(entry.cardName, newName) && !IsFolderOfRename(cp936::FolderOf(entry.driverPath), renames)) {
      view.ShowMessage("已有名为" + entry.cardName + "的网卡，请换一个名称！", kCaption);
      return;
    }
  }

  std::vector<FolderRename> done;
  for (const FolderRename& rename : renames) {
    if (cp936::FileNameOf(rename.from) == newName) continue;  // already so named
    std::string error;
    if (!RenameFolder(rename, &error)) {
      for (auto it = done.rbegin(); it != done.rend(); ++it) port::MoveEntry(it->to, it->from);
      view.ShowFileError("无法把网卡文件夹" + rename.from + "更名为" + newName + "：" + error);
      return;
    }
    done.push_back(rename);
  }
  if (done.empty()) return;

  view.SetRowText(row, newName);
  nicList->Clear();
  ScanDriverLibrary(library, nicList);
  RefillRows(view, *nicList, RowOfRenamedCard(*nicList, renames.front().to, selectedDriverFileName));
}
