// Selecting a card shows its details; the two builds put a boot disk for it
// where the user says, and refuse targets that would harm the template.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "support/headlines.h"

#include "library_fixture.h"
#include "support/make_link.h"
#include "res/resource.h"

namespace {

class BuildTest : public LibraryTest {
 protected:
  // Presses a build button and answers the target dialog with `target`.
  void StartBuild(int button, const std::string& targetPath) const { ::StartBuild(*app, button, targetPath); }

  // The template's NET folder as a build of `driver` must hold it.
  void ExpectNetFolderFor(const std::string& net, const std::string& driverFile, const std::string& device) const {
    const std::string templateNet = folder.bootDisk() + "\\NET";
    std::vector<std::string> expected = ListTree(templateNet);
    expected.push_back(driverFile);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ListTree(net), expected);
    EXPECT_EQ(ReadTestFile(net + "\\SYSTEM.INI"),
              WithFirstLineReplaced(ReadTestFile(templateNet + "\\SYSTEM.INI"), "netcard=", "netcard=" + driverFile));
    EXPECT_EQ(ReadTestFile(net + "\\PROTOCOL.INI"),
              WithFirstLineReplaced(ReadTestFile(templateNet + "\\PROTOCOL.INI"), "DriverName=",
                                    "DriverName=" + device + "$"));
    for (const std::string& name : ListTree(templateNet)) {
      if (name == "SYSTEM.INI" || name == "PROTOCOL.INI" || name.back() == '\\') continue;
      EXPECT_EQ(ReadTestFile(net + "\\" + name), ReadTestFile(templateNet + "\\" + name)) << name;
    }
  }

  TempFolder target;
};

TEST_F(BuildTest, SelectingACardShowsItsDriverAndProtocolText) {
  Select("E100");
  EXPECT_EQ(RunningApp::Text(app->Control(IDC_DRIVER_NAME)), "E100B.DOS");
  EXPECT_EQ(RunningApp::Text(app->Control(IDC_PROTOCOL_TEXT)),
            "[E100B_NIF]\r\nDriverName=E100B$\r\n; no final line end\r\n");
  EXPECT_TRUE(RunningApp::IsEnabled(app->Control(IDC_CREATE_NET_DIR)));
  EXPECT_TRUE(RunningApp::IsEnabled(app->Control(IDC_CREATE_USB_DISK)));

  // The Ctrl-Z a DOS editor appends ends the text.
  WriteTestFile(folder.library() + "\\RTL8139\\RTL8139.INI", "[RTL8139]\r\nDriverName=RTL8139$\r\n\x1A");
  Select("RTL8139");
  EXPECT_EQ(RunningApp::Text(app->Control(IDC_PROTOCOL_TEXT)), "[RTL8139]\r\nDriverName=RTL8139$\r\n");

  Select("DOS");  // no EL90X.INI: the text stays blank
  EXPECT_EQ(RunningApp::Text(app->Control(IDC_DRIVER_NAME)), "EL90X.DOS");
  EXPECT_EQ(RunningApp::Text(app->Control(IDC_PROTOCOL_TEXT)), "");

  app->SelectRow(list(), -1);
  EXPECT_EQ(RunningApp::Text(app->Control(IDC_DRIVER_NAME)), "");
  EXPECT_FALSE(RunningApp::IsEnabled(app->Control(IDC_CREATE_NET_DIR)));
  EXPECT_FALSE(RunningApp::IsEnabled(app->Control(IDC_CREATE_USB_DISK)));
}

TEST_F(BuildTest, BuildsTheNetFolderAndReplacesItOnTheNextBuild) {
  Select("E100");
  StartBuild(IDC_CREATE_NET_DIR, target.path());
  MessageBoxSeen box = app->AcceptMessageBox();
  EXPECT_EQ(box.text, "NET目录创建成功！");
  EXPECT_EQ(box.caption, "创建成功");
  EXPECT_EQ(box.icon, MessageBoxSeen::kNone);
  ASSERT_TRUE(app->WaitUntilIdle());
  ExpectNetFolderFor(target / "NET", "E100B.DOS", "E100B");

  Select("RTL8139");
  StartBuild(IDC_CREATE_NET_DIR, target.path() + "\\");  // a trailing backslash works the same
  EXPECT_EQ(app->AcceptMessageBox().text, "NET目录创建成功！");
  ASSERT_TRUE(app->WaitUntilIdle());
  ExpectNetFolderFor(target / "NET", "RTL8139.DOS", "RTL8139");
  EXPECT_FALSE(Exists(target / "NET\\E100B.DOS"));
}

TEST_F(BuildTest, BuildsTheWholeBootDiskForAUsbStick) {
  WriteTestFile(target / "KEEP.TXT", "outside the build");
  Select("DOS");
  StartBuild(IDC_CREATE_USB_DISK, target.path());
  MessageBoxSeen box = app->AcceptMessageBox();
  EXPECT_EQ(box.text, "U盘目录创建成功！");
  EXPECT_EQ(box.caption, "创建成功");
  ASSERT_TRUE(app->WaitUntilIdle());
  std::vector<std::string> expected = ListTree(folder.bootDisk());
  expected.push_back("NET\\EL90X.DOS");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ListTree(target / "BootDisk"), expected);
  ExpectNetFolderFor(target / "BootDisk\\NET", "EL90X.DOS", "EL90X");
  EXPECT_EQ(ReadTestFile(target / "KEEP.TXT"), "outside the build");
}

TEST_F(BuildTest, AMissingTargetFailsWithoutSuccess) {
  Select("E100");
  StartBuild(IDC_CREATE_NET_DIR, target / "missing");
  MessageBoxSeen box = app->AcceptMessageBox();
  EXPECT_EQ(Headline(box.text), "文件拷贝失败！");
  EXPECT_EQ(box.caption, "Tovrell");
  EXPECT_EQ(box.icon, MessageBoxSeen::kExclamation);
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_FALSE(Exists(target / "missing"));
}

TEST_F(BuildTest, AFailedDriverCopyLeavesNoBuildFolder) {
  Select("RTL8139");
  RemoveTestTree(folder.library() + "\\RTL8139\\RTL8139.DOS");  // gone after the list was filled
  for (int button : {IDC_CREATE_NET_DIR, IDC_CREATE_USB_DISK}) {
    StartBuild(button, target.path());
    MessageBoxSeen box = app->AcceptMessageBox();
    EXPECT_NE(box.text.find("RTL8139.DOS"), std::string::npos) << box.text;
    EXPECT_EQ(box.text.find("成功"), std::string::npos) << box.text;
    EXPECT_EQ(box.icon, MessageBoxSeen::kExclamation);
    ASSERT_TRUE(app->WaitUntilIdle());
    EXPECT_EQ(ListTree(target.path()), std::vector<std::string>{}) << button;
  }
}

TEST_F(BuildTest, ATargetThatWouldDestroyTheTemplateIsRefused) {
  const std::vector<std::string> templateBefore = ListTree(folder.bootDisk());
  Select("E100");
  StartBuild(IDC_CREATE_USB_DISK, folder.path());  // the build folder would be the template
  MessageBoxSeen box = app->AcceptMessageBox();
  EXPECT_FALSE(box.text.empty());
  EXPECT_EQ(box.text.find("成功"), std::string::npos) << box.text;
  ASSERT_TRUE(app->WaitUntilIdle());

  StartBuild(IDC_CREATE_NET_DIR, folder.bootDisk());  // the NET build inside the template
  box = app->AcceptMessageBox();
  EXPECT_EQ(box.text.find("成功"), std::string::npos) << box.text;
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_EQ(ListTree(folder.bootDisk()), templateBefore);
}

TEST_F(BuildTest, ABlankTargetIsAskedForAgainAndCancelChangesNothing) {
  Select("E100");
  StartBuild(IDC_CREATE_NET_DIR, "   ");
  MessageBoxSeen box = app->AcceptMessageBox();
  EXPECT_EQ(box.text, "请输入正确的路径！");
  HWND dialog = app->WaitForDialog("创建路径");
  ASSERT_NE(dialog, nullptr);
  // It opens centred over the main window, not at the screen's corner.
  RECT mine, main;
  ASSERT_TRUE(GetWindowRect(dialog, &mine) && GetWindowRect(app->main(), &main));
  EXPECT_LE(std::abs((mine.left + mine.right) - (main.left + main.right)), 2);
  EXPECT_LE(std::abs((mine.top + mine.bottom) - (main.top + main.bottom)), 2);
  RunningApp::Click(dialog, IDCANCEL);
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_TRUE(ListTree(target.path()).empty());
}

// A template with a part of 1,500 files (made natively at build time and
// linked in, since writing them through Wine takes long) keeps the copy
// busy for seconds, long past the half second after which the progress
// window shows.
TEST_F(BuildTest, ALongUsbBuildShowsItsProgressAndCancelLeavesNoBootDisk) {
  ASSERT_TRUE(MakeFolderLink(ProgramFolder::LargeTemplatePart(), folder.bootDisk() + "\\TOOLS\\BIG"));
  Select("E100");
  StartBuild(IDC_CREATE_USB_DISK, target.path());
  HWND progress = app->WaitForDialog("正在创建U盘目录");
  ASSERT_NE(progress, nullptr);
  DWORD_PTR ignored = 0;
  EXPECT_NE(SendMessageTimeoutA(app->main(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 250, &ignored), 0);
  RunningApp::Click(progress, IDCANCEL);
  const MessageBoxSeen box = app->AcceptMessageBox(60000);
  EXPECT_EQ(box.caption, "创建取消");
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_FALSE(Exists(target / "BootDisk"));
  EXPECT_EQ(ListTree(target.path()), std::vector<std::string>{});
}

}  // namespace
