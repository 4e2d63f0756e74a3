#include "search/browse_for_drivers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "port/file_system.h"
#include "support/temp_folder.h"

namespace {

// The dialog in memory: what the browser answers, and everything the command
// did to the dialog, in order.
class FakeDriverSearchView : public DriverSearchView {
 public:
  bool chosen = false;
  std::string answer;
  std::vector<std::string> events;

  bool ChooseFolder(std::string* folder) override {
    events.push_back("browser");
    if (chosen) *folder = answer;
    return chosen;
  }
  void ClearChoice() override { events.push_back("clear"); }
  void ShowStatus(const std::string& status) override { events.push_back("status " + status); }
  void ShowRows(const std::vector<DriverRow>& rows) override {
    for (const DriverRow& row : rows) events.push_back("row " + row.name);
  }
  void ShowMessage(const std::string& text) override { events.push_back("box " + text); }
};

TEST(BrowseForDrivers, WhatTheCommandDoesFollowsTheItemChosen) {
  TempFolder packages;
  WriteTestFile(packages / "E100B\\DOS\\E100B.DOS", "drv");
  MakeTestFolders(packages / "EMPTY");
  const std::string searching = "status 正在查找，请稍后。。。";
  const std::string done = "status 查找完成！";
  const struct {
    const char* what;
    bool chosen;
    std::string folder;
    std::vector<std::string> events;
    bool searched;
  } cases[] = {
      {"cancelled", false, "", {"browser"}, false},
      {"an item without a file-system path", true, "", {"browser", "clear"}, false},
      {"a folder with a driver", true, packages.path(), {"browser", "clear", searching, "row E100B.DOS", done}, true},
      {"a folder without drivers", true, packages / "EMPTY",
       {"browser", "clear", searching, done, "box No File(*.dos) Was Found!"}, true},
  };
  const std::string currentBefore = port::CurrentFolder();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeDriverSearchView view;
    view.chosen = c.chosen;
    view.answer = c.folder;
    int listings = 0;
    BrowseForDrivers(view, [&](const std::string& pattern, std::vector<port::FoundEntry>* entries) {
      ++listings;
      return port::FindFiles(pattern, entries);
    });
    EXPECT_EQ(view.events, c.events);
    EXPECT_EQ(listings > 0, c.searched);
    // Only a search makes its folder the current folder.
    EXPECT_EQ(port::CurrentFolder(), c.searched ? port::FullPath(c.folder) : currentBefore);
    ASSERT_TRUE(port::SetCurrentFolder(currentBefore));
  }
}

}  // namespace
