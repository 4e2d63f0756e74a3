// The program starts from a folder with a driver library, shows its cards
// and ends on every way out.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "library/scan_driver_library.h"
#include "program_folder.h"
#include "res/resource.h"

namespace {

std::vector<std::string> ExpectedRows(const std::string& library) {
  CardList list;
  ScanDriverLibrary(library + "\\", &list);
  std::vector<std::string> rows;
  for (const CardEntry& entry : list) rows.push_back(entry.cardName);
  return rows;
}

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteTestFile(folder.library() + "\\E100\\E100B.DOS", "driver");
    WriteTestFile(folder.library() + "\\E100\\E100B.INI", "[E100B]\r\nDriverName=E100B$\r\n");
    WriteTestFile(folder.library() + "\\RTL8139\\RTL8139.DOS", "driver");
    WriteTestFile(folder.library() + "\\3C90X\\DOS\\EL90X.DOS", "driver");
    WriteTestFile(folder.library() + "\\网卡\\NIC.dos", "driver");
    app = folder.Start();
    ASSERT_TRUE(app->started());
  }

  ProgramFolder folder;
  std::unique_ptr<RunningApp> app;
};

TEST_F(StartupTest, ShowsEveryCardOfTheLibraryInScanOrder) {
  EXPECT_EQ(RunningApp::Text(app->main()), kMainCaption);
  HWND list = app->Control(IDC_NIC_LIST);
  const std::vector<std::string> expected = ExpectedRows(folder.library());
  ASSERT_EQ(expected.size(), 4u);
  EXPECT_EQ(app->Rows(list), expected);
  EXPECT_EQ(app->Heading(list, 0), "网卡名称");
  EXPECT_EQ(RunningApp::SelectedRow(list), -1);
  EXPECT_TRUE(RunningApp::IsEnabled(app->Control(IDC_ADD_CARD)));
  EXPECT_FALSE(RunningApp::IsEnabled(app->Control(IDC_CREATE_NET_DIR)));
  EXPECT_FALSE(RunningApp::IsEnabled(app->Control(IDC_CREATE_USB_DISK)));
  EXPECT_EQ(RunningApp::Text(app->Control(IDC_DRIVER_NAME)), "");
  EXPECT_EQ(RunningApp::Text(app->Control(IDC_PROTOCOL_TEXT)), "");
}

TEST_F(StartupTest, TheSystemMenuOpensTheAboutBox) {
  for (WPARAM command : {0x0010u, 0x001Fu}) {
    PostMessageA(app->main(), WM_SYSCOMMAND, command, 0);
    HWND about = app->WaitForDialog("关于 Tovrell");
    ASSERT_NE(about, nullptr) << command;
    EXPECT_NE(FindWindowExA(about, nullptr, "Static", "Tovrell 1.0 版"), nullptr);
    EXPECT_FALSE(RunningApp::IsEnabled(app->main()));  // modal
    RunningApp::Click(about, IDOK);
    EXPECT_TRUE(app->WaitUntilIdle());
  }
}

TEST_F(StartupTest, EditingARowLabelKeepsTheCardName) {
  HWND list = app->Control(IDC_NIC_LIST);
  const std::vector<std::string> before = app->Rows(list);
  SetFocus(list);
  HWND edit = reinterpret_cast<HWND>(SendMessageA(list, LVM_EDITLABELA, 0, 0));
  ASSERT_NE(edit, nullptr);
  RunningApp::SetText(edit, "Renamed");
  // Enter ends the edit with LVN_ENDLABELEDIT, which the dialog leaves
  // unhandled: the list keeps the old text.
  SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
  for (int waited = 0; waited < 5000 && IsWindow(edit); waited += 50) Sleep(50);
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(app->Rows(list), before);
}

TEST_F(StartupTest, TheExitButtonEndsTheProgram) {
  RunningApp::Click(app->main(), IDCANCEL);
  EXPECT_TRUE(app->WaitForExit());
}

TEST_F(StartupTest, EscapeEndsTheProgram) {
  HWND list = app->Control(IDC_NIC_LIST);
  PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(app->WaitForExit());
}

TEST_F(StartupTest, EnterEndsTheProgram) {
  PostMessageA(app->main(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_TRUE(app->WaitForExit());
}

TEST_F(StartupTest, TheCloseBoxEndsTheProgram) {
  PostMessageA(app->main(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(app->WaitForExit());
}

TEST(StartupWithoutLibrary, ShowsNoRowsAndDisabledBuildButtons) {
  ProgramFolder folder;
  auto app = folder.Start();
  ASSERT_TRUE(app->started());
  HWND list = app->Control(IDC_NIC_LIST);
  EXPECT_TRUE(app->Rows(list).empty());
  EXPECT_EQ(app->Heading(list, 0), "网卡名称");
  EXPECT_TRUE(RunningApp::IsEnabled(app->Control(IDC_ADD_CARD)));
  EXPECT_FALSE(RunningApp::IsEnabled(app->Control(IDC_CREATE_NET_DIR)));
  EXPECT_FALSE(RunningApp::IsEnabled(app->Control(IDC_CREATE_USB_DISK)));
}

}  // namespace
