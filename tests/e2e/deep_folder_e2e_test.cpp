// The program in a folder deeper than the 233 bytes once refused, with a
// template and a driver package whose paths pass 260 bytes: it starts, adds
// the package whole and builds the whole template.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "library_fixture.h"
#include "res/resource.h"

namespace {

using Strings = std::vector<std::string>;

TEST(DeepFolderE2eTest, StartsAddsAndBuildsPast260Bytes) {
  TempFolder base;
  // The longest folder Windows starts a program from: its path and
  // "\Tovrell.exe" stay below 260 characters.
  ProgramFolder folder(base / LongTestPath('p', 244 - base.path().size()));
  ASSERT_GT(folder.path().size(), 233u);
  CopyTestTree(ProgramFolder::SampleFolder() + "\\BootDisk", folder.bootDisk());
  const std::string deepTool = "TOOLS\\" + LongTestPath('t', 40) + "\\UTIL.EXE";
  WriteTestFile(folder.bootDisk() + "\\" + deepTool, "util");
  WriteTestFile(folder.library() + "\\E100\\E100B.DOS", "E100B placeholder driver");
  TempFolder packages;
  const std::string package = packages / LongTestPath('k', 240);
  WriteTestFile(package + "\\E1000.DOS", "E1000 placeholder driver");
  WriteTestFile(package + "\\PROTOCOL.INI", "[E1000]\r\nDriverName=E1000$\r\n");
  WriteTestFile(package + "\\" + LongTestPath('r', 40) + "\\README.TXT", "readme");
  ASSERT_GT((package + "\\" + LongTestPath('r', 40) + "\\README.TXT").size(), 260u);

  auto app = folder.Start();
  ASSERT_TRUE(app->started());
  HWND list = app->Control(IDC_NIC_LIST);
  EXPECT_EQ(app->Rows(list), Strings{"E100"});

  ASSERT_NE(AddDriverThroughDialog(*app, package + "\\E1000.DOS", "PRO1000"), nullptr);
  ASSERT_TRUE(app->WaitUntilIdle()) << app->WaitForMessageBox(1000).text;
  EXPECT_EQ(app->Rows(list), (Strings{"E100", "PRO1000"}));
  Strings card = ListTree(package);
  std::replace(card.begin(), card.end(), std::string("PROTOCOL.INI"), std::string("E1000.INI"));
  std::sort(card.begin(), card.end());
  EXPECT_EQ(card.size(), 4u);
  EXPECT_EQ(ListTree(folder.library() + "\\PRO1000"), card);

  app->SelectRow(list, 1);
  EXPECT_EQ(RunningApp::Text(app->Control(IDC_DRIVER_NAME)), "E1000.DOS");
  EXPECT_EQ(RunningApp::Text(app->Control(IDC_PROTOCOL_TEXT)), "[E1000]\r\nDriverName=E1000$\r\n");

  TempFolder target;
  StartBuild(*app, IDC_CREATE_USB_DISK, target.path());
  EXPECT_EQ(app->AcceptMessageBox().text, "U盘目录创建成功！");
  ASSERT_TRUE(app->WaitUntilIdle());
  Strings expected = ListTree(folder.bootDisk());
  expected.push_back("NET\\E1000.DOS");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ListTree(target / "BootDisk"), expected);
  EXPECT_EQ(ReadTestFile(target / ("BootDisk\\" + deepTool)), "util");
}

}  // namespace
