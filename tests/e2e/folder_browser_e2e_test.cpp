// The "浏览" buttons: the shell's folder browser, driven from outside,
// chooses a folder or an item that has no folder path (此电脑, 控制面板);
// the add-driver dialog stays live while it searches the folder chosen.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "library_fixture.h"
#include "program_folder.h"
#include "res/resource.h"

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr char kSearching[] = "正在查找，请稍后。。。（已查找";

// The name the shell shows for a special item, as the browser lists it.
std::string ShellItemName(int csidl) {
  LPITEMIDLIST item = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &item))) return std::string();
  SHFILEINFOA info = {};
  SHGetFileInfoA(reinterpret_cast<LPCSTR>(item), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME);
  CoTaskMemFree(item);
  return info.szDisplayName;
}

class BrowseTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    // A folder whose characters have backslashes as trail bytes.
    chosen = package / "淺擻";
    WriteTestFile(chosen + "\\DOS\\E1000.DOS", "E1000 placeholder driver");
    computer = ShellItemName(CSIDL_DRIVES);
    const std::string controlPanel = ShellItemName(CSIDL_CONTROLS);
    ASSERT_FALSE(computer.empty());
    // Control Panel is a child of the desktop on Windows, of My Computer on
    // Wine.
    itemsWithoutPath = {{{computer}}, {{controlPanel}, {computer, controlPanel}}};
  }

  // Presses "浏览" of `owner` and waits for the browser.
  HWND OpenBrowser(HWND owner) const {
    const std::vector<HWND> before = app->OpenDialogs();
    RunningApp::Click(owner, IDC_BROWSE);
    for (int waited = 0; waited < 15000; waited += 50) {
      for (HWND window : app->OpenDialogs()) {
        if (std::find(before.begin(), before.end(), window) == before.end()) return window;
      }
      Sleep(50);
    }
    return nullptr;
  }

  // Chooses the first of `places` the browser shows.
  bool SelectItem(HWND browser, const std::vector<std::vector<std::string>>& places) const {
    for (const std::vector<std::string>& place : places) {
      if (app->SelectBrowserItem(browser, place)) return true;
    }
    return false;
  }

  // Presses the browser's OK and waits until the browser has closed.
  static void PressOk(HWND browser) {
    RunningApp::Click(browser, IDOK);
    for (int waited = 0; waited < 15000 && IsWindow(browser); waited += 50) Sleep(50);
  }

  // Presses the browser's OK and waits until `owner`'s command has run,
  // to the end of the search it started.
  static void ChooseInBrowser(HWND browser, HWND owner) {
    PressOk(browser);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(owner, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored);
    for (int waited = 0; waited < 30000 && Field(owner, IDC_STATUS).rfind(kSearching, 0) == 0; waited += 50) {
      Sleep(50);
    }
  }

  static std::string Field(HWND dialog, int id) { return RunningApp::Text(RunningApp::Control(dialog, id)); }

  TempFolder package;
  std::string chosen;  // the folder chosen by its path
  std::string computer;
  // Each item as the places it may stand in the browser's tree.
  std::vector<std::vector<std::vector<std::string>>> itemsWithoutPath;
};

TEST_F(BrowseTest, AnItemWithoutAFolderPathClearsTheDriverChoiceAndSearchesNothing) {
  RunningApp::Click(app->main(), IDC_ADD_CARD);
  HWND dialog = app->WaitForDialog("添加驱动程序");
  ASSERT_NE(dialog, nullptr);
  HWND driverList = RunningApp::Control(dialog, IDC_NIC_LIST);
  for (const std::vector<std::vector<std::string>>& places : itemsWithoutPath) {
    SCOPED_TRACE(places.back().back());
    HWND browser = OpenBrowser(dialog);
    ASSERT_NE(browser, nullptr);
    ASSERT_TRUE(app->SelectBrowserFolder(browser, chosen));
    ChooseInBrowser(browser, dialog);
    ASSERT_EQ(app->Rows(driverList), std::vector<std::string>{"E1000.DOS"});
    app->SelectRow(driverList, 0);
    ASSERT_EQ(Field(dialog, IDC_DRIVER_PATH), chosen + "\\DOS\\E1000.DOS");
    ASSERT_EQ(Field(dialog, IDC_CARD_NAME), "E1000");
    ASSERT_EQ(Field(dialog, IDC_STATUS), "E1000");

    browser = OpenBrowser(dialog);
    ASSERT_NE(browser, nullptr);
    ASSERT_TRUE(SelectItem(browser, places));
    ChooseInBrowser(browser, dialog);
    EXPECT_EQ(Field(dialog, IDC_DRIVER_PATH), "");
    EXPECT_EQ(Field(dialog, IDC_CARD_NAME), "");
    EXPECT_EQ(app->Rows(driverList), std::vector<std::string>{});
    // No search: the status line is as it was and no box says nothing was
    // found.
    EXPECT_EQ(Field(dialog, IDC_STATUS), "E1000");
    EXPECT_EQ(app->OpenDialogs(), std::vector<HWND>{dialog});
  }
  RunningApp::Click(dialog, IDCANCEL);
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_EQ(RowOf("E1000"), -1);
}

TEST_F(BrowseTest, TheAddDriverDialogAnswersWhileItSearchesAndCancelStopsTheSearch) {
  // The search's time goes into listing folders: from 400 a second (cold)
  // to 5,000 (warm) under Wine here, so the tree's 30,000 folders keep it
  // going for 6 s or more, against the second the test looks at it before
  // Cancel. Should it end first, the test fails saying so.
  const std::string tree = ProgramFolder::SearchTree();
  const double treeFolders = std::stod(ReadTestFile(tree + "\\FOLDERS.TXT"));
  RunningApp::Click(app->main(), IDC_ADD_CARD);
  HWND dialog = app->WaitForDialog("添加驱动程序");
  ASSERT_NE(dialog, nullptr);
  HWND browser = OpenBrowser(dialog);
  ASSERT_NE(browser, nullptr);
  ASSERT_TRUE(app->SelectBrowserFolder(browser, tree));
  PressOk(browser);
  const Clock::time_point started = Clock::now();
  std::vector<double> counts;  // the folders searched, as each probe saw them
  for (int probe = 0; probe < 5; ++probe) {
    Sleep(200);
    DWORD_PTR ignored = 0;
    ASSERT_NE(SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 250, &ignored), 0) << "probe " << probe;
    const std::string shown = Field(dialog, IDC_STATUS);
    ASSERT_EQ(shown.rfind(kSearching, 0), 0u) << "the search ended before the test looked at it: " << shown;
    counts.push_back(std::stod(shown.substr(sizeof kSearching - 1)));
    EXPECT_EQ(shown, kSearching + std::to_string(static_cast<long>(counts.back())) + "个文件夹）");
  }
  EXPECT_GT(counts.back(), counts.front());
  const Milliseconds searched = Clock::now() - started;

  const Clock::time_point cancelled = Clock::now();
  RunningApp::Click(dialog, IDCANCEL);
  // Hidden is closed for the user; Wine without a window manager waits up
  // to 2 s more before it destroys the window.
  for (int waited = 0; waited < 15000 && IsWindowVisible(dialog); waited += 10) Sleep(10);
  const Milliseconds closed = Clock::now() - cancelled;
  ASSERT_FALSE(IsWindowVisible(dialog));
  // At the pace it went, the rest of the search would have taken this long.
  const Milliseconds rest = searched * (treeFolders - counts.back()) / std::max(counts.back(), 1.0);
  EXPECT_LT(closed.count(), rest.count() / 4);
  std::printf("Searched %.0f of %.0f folders in %.0f ms; closed %.0f ms after Cancel, %.0f ms before the end\n",
              counts.back(), treeFolders, searched.count(), closed.count(), rest.count());
  ASSERT_TRUE(app->WaitUntilIdle());
}

TEST_F(BrowseTest, AnItemWithoutAFolderPathLeavesTheTypedTargetAlone) {
  Select("E100");
  RunningApp::Click(app->main(), IDC_CREATE_NET_DIR);
  HWND dialog = app->WaitForDialog("创建路径");
  ASSERT_NE(dialog, nullptr);
  RunningApp::SetText(RunningApp::Control(dialog, IDC_TARGET_PATH), "T:\\typed");
  for (const std::vector<std::vector<std::string>>& places : itemsWithoutPath) {
    SCOPED_TRACE(places.back().back());
    HWND browser = OpenBrowser(dialog);
    ASSERT_NE(browser, nullptr);
    ASSERT_TRUE(SelectItem(browser, places));
    ChooseInBrowser(browser, dialog);
    EXPECT_EQ(Field(dialog, IDC_TARGET_PATH), "T:\\typed");
  }
  HWND browser = OpenBrowser(dialog);
  ASSERT_NE(browser, nullptr);
  ASSERT_TRUE(app->SelectBrowserFolder(browser, chosen));
  ChooseInBrowser(browser, dialog);
  EXPECT_EQ(Field(dialog, IDC_TARGET_PATH), chosen);
  RunningApp::Click(dialog, IDCANCEL);
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_EQ(ListTree(chosen), std::vector<std::string>({"DOS\\", "DOS\\E1000.DOS"}));
}

}  // namespace
