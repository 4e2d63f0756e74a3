// The program started from the root of a drive (P:\Tovrell.exe) with its
// current folder in a driver package on that drive, as a search leaves it:
// start-up, adding from that package, details, builds onto the root of
// another drive and into a folder, rename and delete.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "port/file_system.h"
#include "library_fixture.h"
#include "res/resource.h"
#include "support/test_drive.h"

namespace {

using Strings = std::vector<std::string>;

class DriveRootE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(programDrive.problem(), "");
    ASSERT_EQ(targetDrive.problem(), "");
    folder = std::make_unique<ProgramFolder>(programDrive.bare());
    CopyTestTree(ProgramFolder::SampleFolder() + "\\BootDisk", folder->bootDisk());
    WriteTestFile(folder->library() + "\\E100\\E100B.DOS", "E100B placeholder driver");
    WriteTestFile(folder->library() + "\\E100\\E100B.INI", "[E100B]\r\nDriverName=E100B$\r\n");
    WriteTestFile(folder->library() + "\\RTL8139\\RTL8139.DOS", "RTL8139 placeholder driver");
    WriteTestFile(package + "\\E1000.DOS", "E1000 placeholder driver");
    WriteTestFile(package + "\\PROTOCOL.INI", "[E1000]\r\nDriverName=E1000$\r\n");
    WriteTestFile(package + "\\EXTRA\\README.TXT", "extra");
    app = folder->Start(package);
    ASSERT_TRUE(app->started());
  }

  HWND list() const { return app->Control(IDC_NIC_LIST); }

  void Select(const std::string& card) const {
    const Strings rows = app->Rows(list());
    const auto it = std::find(rows.begin(), rows.end(), card);
    ASSERT_NE(it, rows.end()) << card;
    app->SelectRow(list(), static_cast<int>(it - rows.begin()));
    ASSERT_EQ(RunningApp::SelectedRow(list()), static_cast<int>(it - rows.begin()));
  }

  // The drives outlive the program that runs from one of them.
  TestDrive programDrive{'P'};
  TestDrive targetDrive{'Q'};
  std::string package = programDrive / "pkg\\DOS\\NDIS2";
  std::unique_ptr<ProgramFolder> folder;
  std::unique_ptr<RunningApp> app;
};

TEST_F(DriveRootE2eTest, AddsFromThePackageShowsRenamesAndDeletes) {
  EXPECT_EQ(app->Rows(list()), (Strings{"E100", "RTL8139"}));

  ASSERT_NE(AddDriverThroughDialog(*app, package + "\\E1000.DOS", "PRO1000"), nullptr);
  ASSERT_TRUE(app->WaitUntilIdle()) << app->WaitForMessageBox(1000).text;
  EXPECT_EQ(app->Rows(list()), (Strings{"E100", "RTL8139", "PRO1000"}));
  EXPECT_EQ(ListTree(folder->library() + "\\PRO1000"),
            (Strings{"E1000.DOS", "E1000.INI", "EXTRA\\", "EXTRA\\README.TXT"}));

  Select("PRO1000");
  EXPECT_EQ(RunningApp::Text(app->Control(IDC_DRIVER_NAME)), "E1000.DOS");
  EXPECT_EQ(RunningApp::Text(app->Control(IDC_PROTOCOL_TEXT)), "[E1000]\r\nDriverName=E1000$\r\n");

  RunningApp::PostCommand(app->main(), ID_MENU_RENAME_NIC);
  HWND dialog = app->WaitForDialog("更改名称");
  ASSERT_NE(dialog, nullptr);
  RunningApp::SetText(RunningApp::Control(dialog, IDC_NEW_NAME), "Intel");
  RunningApp::Click(dialog, IDOK);
  ASSERT_TRUE(app->WaitUntilIdle()) << app->WaitForMessageBox(1000).text;
  EXPECT_FALSE(Exists(folder->library() + "\\PRO1000"));
  EXPECT_EQ(ListTree(folder->library() + "\\Intel"), (Strings{"E1000.DOS", "E1000.INI", "EXTRA\\", "EXTRA\\README.TXT"}));

  Select("E100");
  RunningApp::PostCommand(app->main(), ID_MENU_DELETE_NIC);
  ASSERT_TRUE(app->WaitUntilIdle()) << app->WaitForMessageBox(1000).text;
  EXPECT_FALSE(Exists(folder->library() + "\\E100")) << ListTree(folder->library()).size();
  Strings rows = app->Rows(list());
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, (Strings{"Intel", "RTL8139"}));
  EXPECT_EQ(ListTree(package), (Strings{"E1000.DOS", "EXTRA\\", "EXTRA\\README.TXT", "PROTOCOL.INI"}));
}

TEST_F(DriveRootE2eTest, BuildsOntoAnotherDrivesRootAndIntoAFolder) {
  MakeTestFolders(targetDrive / "media");
  const struct {
    int button;
    std::string targetPath;
    std::string net;
    const char* success;
  } builds[] = {
      {IDC_CREATE_NET_DIR, targetDrive.bare(), targetDrive / "NET", "NET目录创建成功！"},
      {IDC_CREATE_USB_DISK, targetDrive.root(), targetDrive / "BootDisk\\NET", "U盘目录创建成功！"},
      {IDC_CREATE_USB_DISK, targetDrive.bare(), targetDrive / "BootDisk\\NET", "U盘目录创建成功！"},
      {IDC_CREATE_NET_DIR, targetDrive.root(), targetDrive / "NET", "NET目录创建成功！"},
      {IDC_CREATE_NET_DIR, targetDrive / "media", targetDrive / "media\\NET", "NET目录创建成功！"},
  };
  Select("E100");
  for (const auto& b : builds) {
    StartBuild(*app, b.button, b.targetPath);
    EXPECT_EQ(app->AcceptMessageBox().text, b.success) << b.targetPath;
    ASSERT_TRUE(app->WaitUntilIdle());
    Strings expected = ListTree(folder->bootDisk() + "\\NET");
    expected.push_back("E100B.DOS");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ListTree(b.net), expected) << b.targetPath;
    EXPECT_NE(ReadTestFile(b.net + "\\SYSTEM.INI").find("netcard=E100B.DOS"), std::string::npos) << b.targetPath;
  }
  EXPECT_EQ(ListTree(targetDrive / "BootDisk\\TOOLS"), ListTree(folder->bootDisk() + "\\TOOLS"));
}

// A file another program holds open in the old NET folder: the build names
// it by its full path and stops, and nothing new is written among what
// stayed.
TEST_F(DriveRootE2eTest, AnOldFolderHeldOpenIsNamedAndGetsNothingWritten) {
  Select("E100");
  StartBuild(*app, IDC_CREATE_NET_DIR, targetDrive.root());
  EXPECT_EQ(app->AcceptMessageBox().text, "NET目录创建成功！");
  ASSERT_TRUE(app->WaitUntilIdle());

  const std::string net = targetDrive / "NET";
  for (const std::string& name : ListTree(net)) WriteTestFile(net + "\\" + name, "old");
  std::unique_ptr<port::LockedFile> lock = port::LockFile(net + "\\NET.EXE");
  ASSERT_NE(lock, nullptr);
  StartBuild(*app, IDC_CREATE_NET_DIR, targetDrive.root());
  const MessageBoxSeen box = app->AcceptMessageBox();
  EXPECT_EQ(box.text, "删除文件" + net + "\\NET.EXE失败！");
  EXPECT_EQ(box.icon, MessageBoxSeen::kExclamation);
  std::string last;
  for (MessageBoxSeen next = app->AcceptMessageBox(5000); !next.text.empty(); next = app->AcceptMessageBox(5000)) {
    EXPECT_EQ(next.text.find("成功"), std::string::npos) << next.text;
    EXPECT_EQ(next.text.find("\\\\"), std::string::npos) << next.text;
    last = next.text;
  }
  EXPECT_NE(last.find("没有复制任何文件"), std::string::npos) << last;
  EXPECT_TRUE(app->WaitUntilIdle());
  lock.reset();
  for (const std::string& name : ListTree(net)) EXPECT_EQ(ReadTestFile(net + "\\" + name), "old") << name;
}

}  // namespace
