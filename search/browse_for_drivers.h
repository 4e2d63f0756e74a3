// The "浏览" command of the add-driver dialog, in the steps the dialog takes:
// the folder browser's answer decides what happens, the chosen folder's tree
// is searched on a thread of its own while the dialog stays live, and the
// dialog shows how the search ended. Nothing here touches a window: each
// step returns what the dialog is to show.
#pragma once

#include <string>
#include <vector>

#include "work/background_work.h"
#include "search/find_driver_files.h"

// What the command does with the folder browser's answer.
enum class BrowseAnswer {
  kNothing,         // the user cancelled: nothing changes
  kClearChoice,     // an item without a file-system path (此电脑, 控制面板):
                    // the path, the name and the list are emptied, and that
                    // is all: no search, status line and current folder kept
  kClearAndSearch,  // a folder: emptied as above, then searched
};

// `chosen` and `folder` as BrowseForFolder returns them.
BrowseAnswer WhatBrowsingDoes(bool chosen, const std::string& folder);

// How a search ended, as the dialog shows it.
struct DriverSearchEnd {
  bool stopped = false;
  std::vector<DriverRow> rows;  // for the emptied result list, top to bottom
  std::string status;           // for the status line
  std::string message;          // for the dialog's own message box; "" for none
};

// The search of one chosen folder (FindDriverFiles), on a thread of its own
// (BackgroundWork) from construction on. The dialog looks at it a few times
// a second from its own thread and shows what it returns.
class DriverSearchRun {
 public:
  explicit DriverSearchRun(std::string folder, FolderListing listing = port::FindFiles);
  // Stops the search if it still runs and waits for it (one folder listing
  // at most); nothing it found is kept and nothing changes.
  ~DriverSearchRun() = default;
  DriverSearchRun(const DriverSearchRun&) = delete;
  DriverSearchRun& operator=(const DriverSearchRun&) = delete;

  // The status line while it runs: "正在查找，请稍后。。。（已查找N个文件夹）",
  // N the folders listed so far.
  std::string Status() const;
  bool Done() const { return work_.Done(); }
  // The search stops once the folder it is listing now has been listed.
  void Stop() { work_.Cancel(); }

  // Waits until the search has ended and tells how. A search that ran to
  // its end gives its rows and "查找完成！", with the message "No File(*.dos)
  // Was Found!" when there are none, and makes the folder the process's
  // current folder (a failure there is ignored). A stopped search gives no
  // rows, "查找已停止。" and no message, and changes nothing; one that
  // failed (an exception, caught at its thread's edge) is stopped too, with
  // "查找出错。" and a message saying why. Reads only.
  // Call it once, on the thread that made the run.
  DriverSearchEnd End();

 private:
  std::string folder_;
  std::vector<DriverRow> rows_;  // written by the work, read once it has ended
  BackgroundWork work_;          // last: it ends before the members it writes
};
