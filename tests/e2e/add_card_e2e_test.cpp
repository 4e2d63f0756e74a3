// Adding a card through the add-driver dialog, with the path and name typed.
#include <gtest/gtest.h>

#include "library_fixture.h"
#include "res/resource.h"

namespace {

class AddCardTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    WriteTestFile(package / "DOS\\NDIS2\\E1000.DOS", "E1000 placeholder driver");
    WriteTestFile(package / "DOS\\NDIS2\\PROTOCOL.INI", "[E1000]\r\nDriverName=E1000$\r\n");
    WriteTestFile(package / "DOS\\NDIS2\\EXTRA\\README.TXT", "extra");
    packageBefore = ListTree(package.path());
  }

  // Opens the dialog, types the path and the name and presses "添加".
  HWND AddWith(const std::string& path, const std::string& name) const {
    return AddDriverThroughDialog(*app, path, name);
  }

  TempFolder package;
  std::vector<std::string> packageBefore;
};

TEST_F(AddCardTest, TheDialogAsksForBothFields) {
  RunningApp::Click(app->main(), IDC_ADD_CARD);
  HWND dialog = app->WaitForDialog("添加驱动程序");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(app->Heading(RunningApp::Control(dialog, IDC_NIC_LIST), 0), "网卡名称");
  EXPECT_EQ(app->Heading(RunningApp::Control(dialog, IDC_NIC_LIST), 1), "存放路径");
  EXPECT_EQ(RunningApp::Text(RunningApp::Control(dialog, IDC_STATUS)), "");
  RunningApp::SetText(RunningApp::Control(dialog, IDC_DRIVER_PATH), package / "DOS\\NDIS2\\E1000.DOS");
  RunningApp::SetText(RunningApp::Control(dialog, IDC_CARD_NAME), "  ");
  RunningApp::Click(dialog, IDC_ADD);
  EXPECT_EQ(app->AcceptMessageBox().text, "有空项目存在，请输入完整！");
  ASSERT_TRUE(IsWindow(dialog));  // still open
  RunningApp::Click(dialog, IDCANCEL);
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_EQ(RowOf("E1000"), -1);
}

TEST_F(AddCardTest, AddsTheCardWithItsWholePackageFolder) {
  const size_t rowsBefore = Rows().size();
  ASSERT_NE(AddWith(package / "DOS\\NDIS2\\E1000.DOS", "Intel PRO1000"), nullptr);
  ASSERT_TRUE(app->WaitUntilIdle());
  const std::vector<std::string> rows = Rows();
  ASSERT_EQ(rows.size(), rowsBefore + 1);
  EXPECT_EQ(rows.back(), "Intel PRO1000");
  const std::string card = folder.library() + "\\Intel PRO1000";
  EXPECT_EQ(ListTree(card), (std::vector<std::string>{"E1000.DOS", "E1000.INI", "EXTRA\\", "EXTRA\\README.TXT"}));
  EXPECT_EQ(ReadTestFile(card + "\\E1000.INI"), "[E1000]\r\nDriverName=E1000$\r\n");
  EXPECT_EQ(ListTree(package.path()), packageBefore);

  Select("Intel PRO1000");
  EXPECT_EQ(RunningApp::Text(app->Control(IDC_DRIVER_NAME)), "E1000.DOS");
  EXPECT_EQ(RunningApp::Text(app->Control(IDC_PROTOCOL_TEXT)), "[E1000]\r\nDriverName=E1000$\r\n");
  ExpectRowsPairedWithCards();
}

TEST_F(AddCardTest, ADuplicateNameIsRefused) {
  AddWith(package / "DOS\\NDIS2\\E1000.DOS", "E100");
  EXPECT_EQ(app->AcceptMessageBox().text, "要添加的网卡已经存在!");
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_EQ(ListTree(folder.library() + "\\E100"), (std::vector<std::string>{"E100B.DOS", "E100B.INI"}));
}

TEST_F(AddCardTest, ANameLeadingOutOfTheLibraryIsRefusedWithNothingWritten) {
  const std::vector<std::string> programBefore = ListTree(folder.path());
  AddWith(package / "DOS\\NDIS2\\E1000.DOS", "..\\..\\Escaped");
  MessageBoxSeen box = app->AcceptMessageBox();
  EXPECT_FALSE(box.text.empty());
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_EQ(ListTree(folder.path()), programBefore);
  EXPECT_FALSE(Exists(folder.path() + "\\..\\Escaped"));
  EXPECT_EQ(RowOf("..\\..\\Escaped"), -1);
}

}  // namespace
