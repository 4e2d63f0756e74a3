#include "search/browse_for_drivers.h"

#include "port/file_system.h"

void BrowseForDrivers(DriverSearchView& view, const FolderListing& listing) {
  std::string folder;
  if (!view.ChooseFolder(&folder)) return;
  view.ClearChoice();
  if (folder.empty()) return;

  view.ShowStatus("正在查找，请稍后。。。");
  const std::vector<DriverRow> rows = FindDriverFiles(folder, listing);
  view.ShowRows(rows);
  view.ShowStatus("查找完成！");
  if (rows.empty()) view.ShowMessage("No File(*.dos) Was Found!");
  port::SetCurrentFolder(folder);
}
