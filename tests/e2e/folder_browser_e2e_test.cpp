// The "浏览" buttons: the shell's folder browser, driven from outside,
// chooses a folder or an item that has no folder path (此电脑, 控制面板).
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "library_fixture.h"
#include "res/resource.h"

namespace {

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

  // Presses the browser's OK and waits until `owner`'s command has run.
  static void ChooseInBrowser(HWND browser, HWND owner) {
    RunningApp::Click(browser, IDOK);
    for (int waited = 0; waited < 15000 && IsWindow(browser); waited += 50) Sleep(50);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(owner, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored);
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
