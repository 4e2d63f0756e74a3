// Deleting and renaming cards through the context menu's commands.
#include <gtest/gtest.h>

#include "library_fixture.h"
#include "res/resource.h"

namespace {

using DeleteRenameTest = LibraryTest;

TEST_F(DeleteRenameTest, CommandsWithoutASelectionSaySo) {
  RunningApp::PostCommand(app->main(), ID_MENU_DELETE_NIC);
  MessageBoxSeen box = app->AcceptMessageBox();
  EXPECT_EQ(box.text, "请选择要删除的网卡！");
  EXPECT_EQ(box.caption, "删除错误");
  RunningApp::PostCommand(app->main(), ID_MENU_RENAME_NIC);
  box = app->AcceptMessageBox();
  EXPECT_EQ(box.text, "选择要重命名的网卡");
  EXPECT_EQ(box.caption, "修改错误");
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_EQ(Rows().size(), 3u);
}

TEST_F(DeleteRenameTest, DeletingRemovesTheCardFolderAndItsRow) {
  Select("RTL8139");
  RunningApp::PostCommand(app->main(), ID_MENU_DELETE_NIC);
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_EQ(RowOf("RTL8139"), -1);
  EXPECT_EQ(Rows().size(), 2u);
  EXPECT_FALSE(Exists(folder.library() + "\\RTL8139"));
  EXPECT_TRUE(Exists(folder.library() + "\\E100\\E100B.DOS"));
  EXPECT_EQ(RunningApp::Text(app->Control(IDC_DRIVER_NAME)), "");
  ExpectRowsPairedWithCards();
}

TEST_F(DeleteRenameTest, RenamingAsksForANameAndRenamesTheFolder) {
  Select("E100");
  RunningApp::PostCommand(app->main(), ID_MENU_RENAME_NIC);
  HWND dialog = app->WaitForDialog("更改名称");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(RunningApp::Text(RunningApp::Control(dialog, IDC_NEW_NAME)), "");
  RunningApp::Click(dialog, IDOK);
  MessageBoxSeen box = app->AcceptMessageBox();
  EXPECT_EQ(box.text, "请输入更改后的名称！");
  EXPECT_EQ(box.caption, "空项目存在");
  ASSERT_TRUE(IsWindow(dialog));
  RunningApp::SetText(RunningApp::Control(dialog, IDC_NEW_NAME), "Intel");
  RunningApp::Click(dialog, IDOK);
  ASSERT_TRUE(app->WaitUntilIdle());

  EXPECT_FALSE(Exists(folder.library() + "\\E100"));
  EXPECT_EQ(ListTree(folder.library() + "\\Intel"), (std::vector<std::string>{"E100B.DOS", "E100B.INI"}));
  EXPECT_NE(RowOf("Intel"), -1);
  EXPECT_EQ(RowOf("E100"), -1);
  EXPECT_EQ(Rows().size(), 3u);
  ExpectRowsPairedWithCards();
}

TEST_F(DeleteRenameTest, RenamingToAnotherCardsNameChangesNothing) {
  Select("E100");
  RunningApp::PostCommand(app->main(), ID_MENU_RENAME_NIC);
  HWND dialog = app->WaitForDialog("更改名称");
  ASSERT_NE(dialog, nullptr);
  RunningApp::SetText(RunningApp::Control(dialog, IDC_NEW_NAME), "rtl8139");
  RunningApp::Click(dialog, IDOK);
  EXPECT_FALSE(app->AcceptMessageBox().text.empty());
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_TRUE(Exists(folder.library() + "\\E100\\E100B.DOS"));
  EXPECT_NE(RowOf("E100"), -1);
  ExpectRowsPairedWithCards();
}

}  // namespace

namespace {

TEST_F(DeleteRenameTest, AFailedRenameIsReportedAndKeepsTheOldName) {
  // A folder of the library that is no card: the rename cannot take its name.
  MakeTestFolders(folder.library() + "\\Taken\\inside");
  Select("E100");
  RunningApp::PostCommand(app->main(), ID_MENU_RENAME_NIC);
  HWND dialog = app->WaitForDialog("更改名称");
  ASSERT_NE(dialog, nullptr);
  RunningApp::SetText(RunningApp::Control(dialog, IDC_NEW_NAME), "Taken");
  RunningApp::Click(dialog, IDOK);
  MessageBoxSeen box = app->AcceptMessageBox();
  EXPECT_EQ(box.icon, MessageBoxSeen::kStop);
  EXPECT_EQ(box.caption, "Tovrell");
  EXPECT_NE(box.text.find("E100"), std::string::npos) << box.text;
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_NE(RowOf("E100"), -1);
  EXPECT_EQ(RowOf("Taken"), -1);
  EXPECT_TRUE(Exists(folder.library() + "\\E100\\E100B.DOS"));
  ExpectRowsPairedWithCards();
}

}  // namespace

namespace {

// A card folder holding two drivers: two rows of the same name.
class SharedCardFolderTest : public LibraryTest {
 protected:
  void SetUp() override {
    WriteTestFile(folder.library() + "\\DUAL\\DUALA.DOS", "first driver of the folder");
    WriteTestFile(folder.library() + "\\DUAL\\DUALA.INI", "[DUALA]\r\nDriverName=DUALA$\r\n");
    WriteTestFile(folder.library() + "\\DUAL\\DUALB.DOS", "second driver of the folder");
    WriteTestFile(folder.library() + "\\DUAL\\DUALB.INI", "[DUALB]\r\nDriverName=DUALB$\r\n");
    LibraryTest::SetUp();
  }
};

TEST_F(SharedCardFolderTest, DeletingOneCardOfAFolderKeepsTheOtherCardsDriverAndRow) {
  Select("DUAL");
  const std::string deleted = RunningApp::Text(app->Control(IDC_DRIVER_NAME));
  ASSERT_TRUE(deleted == "DUALA.DOS" || deleted == "DUALB.DOS") << deleted;
  const std::string kept = deleted == "DUALA.DOS" ? "DUALB.DOS" : "DUALA.DOS";
  RunningApp::PostCommand(app->main(), ID_MENU_DELETE_NIC);
  ASSERT_TRUE(app->WaitUntilIdle());

  const std::string keptIni = kept.substr(0, 5) + ".INI";
  EXPECT_EQ(ListTree(folder.library() + "\\DUAL"), (std::vector<std::string>{kept, keptIni}));
  EXPECT_EQ(Rows().size(), 4u);  // E100, RTL8139, DOS and the other DUAL
  Select("DUAL");
  EXPECT_EQ(RunningApp::Text(app->Control(IDC_DRIVER_NAME)), kept);
  ExpectRowsPairedWithCards();
}

}  // namespace
