// The "浏览" command of the add-driver dialog: choose a folder in the shell's
// folder browser, search its tree and list the driver files found.
#pragma once

#include <string>
#include <vector>

#include "search/find_driver_files.h"

// The add-driver dialog as the command sees it. The dialog implements it over
// its controls; tests implement it in memory.
class DriverSearchView {
 public:
  virtual ~DriverSearchView() = default;

  // Runs the shell's folder browser. False when the user cancelled; true when
  // an item was chosen, `folder` then being its file-system path, or "" for
  // an item that has none (此电脑, 控制面板).
  virtual bool ChooseFolder(std::string* folder) = 0;
  // Empties edits 1012 (path) and 1014 (name) and the result list, and shows
  // them so.
  virtual void ClearChoice() = 0;
  // Shows `status` in static 1016, the fields as they stand with it.
  virtual void ShowStatus(const std::string& status) = 0;
  // Fills the emptied result list with `rows`, top to bottom.
  virtual void ShowRows(const std::vector<DriverRow>& rows) = 0;
  // The dialog's own message box: OK button, no icon.
  virtual void ShowMessage(const std::string& text) = 0;
};

// A cancelled browse changes nothing. A chosen item empties the path, the
// name and the list; an item without a file-system path ends the command
// there, with no search, the status line and the current folder untouched.
// A folder is searched (FindDriverFiles, with "正在查找，请稍后。。。" and then
// "查找完成！" in the status line), its rows are listed, "No File(*.dos) Was
// Found!" is shown when there are none, and the folder becomes the process's
// current folder (a failure there is ignored). Reads only.
void BrowseForDrivers(DriverSearchView& view, const FolderListing& listing = port::FindFiles);
