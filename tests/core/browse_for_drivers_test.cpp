#include "search/browse_for_drivers.h"

#include <gtest/gtest.h>

#include <future>
#include <new>
#include <string>
#include <vector>

#include "port/file_system.h"
#include "support/temp_folder.h"

namespace {

TEST(BrowseForDrivers, WhatTheCommandDoesFollowsTheItemChosenAndHowTheSearchEnds) {
  TempFolder packages;
  WriteTestFile(packages / "E100B\\DOS\\E100B.DOS", "drv");
  MakeTestFolders(packages / "EMPTY\\SUB");
  const std::string complete = "查找完成！";
  const struct {
    const char* what;
    bool chosen;
    std::string folder;
    BrowseAnswer answer;
    bool stop;  // "浏览", "添加" or "退出" pressed while the search runs
    bool fails;  // memory runs out at the third folder
    std::vector<std::string> rows;
    std::string status;
    std::string message;
  } cases[] = {
      {"cancelled", false, "", BrowseAnswer::kNothing, false, false, {}, "", ""},
      {"an item without a file-system path", true, "", BrowseAnswer::kClearChoice, false, false, {}, "", ""},
      {"a folder with a driver", true, packages.path(), BrowseAnswer::kClearAndSearch, false, false, {"E100B.DOS"},
       complete, ""},
      {"a folder without drivers", true, packages / "EMPTY", BrowseAnswer::kClearAndSearch, false, false, {}, complete,
       "No File(*.dos) Was Found!"},
      {"a search stopped", true, packages.path(), BrowseAnswer::kClearAndSearch, true, false, {}, "查找已停止。", ""},
      {"a search out of memory", true, packages.path(), BrowseAnswer::kClearAndSearch, false, true, {}, "查找出错。",
       "查找驱动程序时出错（内存不足），没有列出任何驱动程序。"},
  };
  const std::string currentBefore = port::CurrentFolder();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(WhatBrowsingDoes(c.chosen, c.folder), c.answer);
    if (c.answer != BrowseAnswer::kClearAndSearch) continue;

    // The search holds at its second folder until the test has looked at
    // the status line, which then counts the first.
    std::promise<void> atSecond;
    std::promise<void> goOn;
    int listings = 0;
    DriverSearchRun run(c.folder, [&](const std::string& pattern, std::vector<port::FoundEntry>* entries) {
      if (++listings == 2) {
        atSecond.set_value();
        goOn.get_future().wait();
      }
      if (listings == 3 && c.fails) throw std::bad_alloc();
      return port::FindFiles(pattern, entries);
    });
    atSecond.get_future().wait();
    EXPECT_EQ(run.Status(), "正在查找，请稍后。。。（已查找1个文件夹）");
    if (c.stop) run.Stop();
    goOn.set_value();
    const DriverSearchEnd end = run.End();
    EXPECT_EQ(end.stopped, c.stop || c.fails);
    std::vector<std::string> rows;
    for (const DriverRow& row : end.rows) rows.push_back(row.name);
    EXPECT_EQ(rows, c.rows);
    EXPECT_EQ(end.status, c.status);
    EXPECT_EQ(end.message, c.message);
    if (c.stop) {
      EXPECT_EQ(listings, 2);  // a stopped search lists no further folder
    }
    // Only a search that ran to its end makes its folder the current folder.
    EXPECT_EQ(port::CurrentFolder(), c.stop || c.fails ? currentBefore : port::FullPath(c.folder));
    ASSERT_TRUE(port::SetCurrentFolder(currentBefore));
  }
}

}  // namespace
