#include "library/delete_card.h"

#include <gtest/gtest.h>

#include "core/card_command_fixture.h"
#include "window/card_menu.h"
#include "port/file_system.h"
#include "support/make_link.h"
#include "window/card_commands.h"

namespace {

using Strings = std::vector<std::string>;

class DeleteCardTest : public CardCommandTest {
 protected:
  void Delete(int row) {
    view.selected = row;
    DeleteCard(view, &list, program);
  }
};

TEST_F(DeleteCardTest, TheOnlyCardLeavesAnEmptyListAndLibrary) {
  Show(LayOutCard("E100", "E100B.DOS"));
  view.driverName = "E100B.DOS";
  Delete(0);
  EXPECT_TRUE(view.rows.empty());
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(view.selected, -1);
  EXPECT_EQ(view.driverName, "");
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_TRUE(IsFolder(library));
  EXPECT_EQ(ListTree(library), Strings{});
}

TEST_F(DeleteCardTest, DeletingRowZeroOfThreeRenumbersTheRest) {
  Show(LayOutCard("AAA", "A.DOS"));
  const std::string b = LayOutCard("BBB", "B.DOS");
  const std::string c = LayOutCard("CCC", "C.DOS");
  Show(b);
  Show(c);
  Delete(0);
  EXPECT_EQ(view.rows, (Strings{"BBB", "CCC"}));
  ExpectRowsPaired();
  EXPECT_EQ(list.FindByRow(0)->driverPath, b);
  EXPECT_EQ(list.FindByRow(1)->driverPath, c);
  EXPECT_EQ(ListTree(library), (Strings{"BBB\\", "BBB\\B.DOS", "BBB\\B.INI", "CCC\\", "CCC\\C.DOS", "CCC\\C.INI"}));
  EXPECT_EQ(view.selected, -1);
}

TEST_F(DeleteCardTest, DeletingTheLastRowKeepsTheOthersNumbers) {
  const std::string a = LayOutCard("AAA", "A.DOS");
  const std::string b = LayOutCard("BBB", "B.DOS");
  Show(a);
  Show(b);
  Show(LayOutCard("CCC", "C.DOS"));
  Delete(2);
  EXPECT_EQ(view.rows, (Strings{"AAA", "BBB"}));
  ExpectRowsPaired();
  EXPECT_EQ(list.FindByRow(0)->driverPath, a);
  EXPECT_EQ(list.FindByRow(1)->driverPath, b);
  EXPECT_FALSE(Exists(library + "\\CCC"));
}

TEST_F(DeleteCardTest, AFolderHoldingOnlyFilesGoesWhole) {
  Show(LayOutCard("E100", "E100B.DOS"));
  WriteTestFile(library + "\\E100\\README.TXT", "r");
  WriteTestFile(library + "\\E100\\OEMSETUP.INF", "o");
  // A read-only file keeps the empty-folder removal from succeeding at once.
  ASSERT_TRUE(port::SetAttributes(library + "\\E100\\OEMSETUP.INF", port::kAttrReadOnly));
  Delete(0);
  EXPECT_FALSE(Exists(library + "\\E100"));
  EXPECT_TRUE(view.boxes.empty());
}

TEST_F(DeleteCardTest, AFolderWithASubFolderLosesOnlyTheDriverAndItsIni) {
  Show(LayOutCard("E100", "E100B.DOS"));
  for (const char* name : {"E100B.DOS.bak", "E100B.INI.old", "E100B.DOSX", "README.TXT", "DOS\\X.DOS", "DOS\\E100B.DOS"}) {
    WriteTestFile(library + "\\E100\\" + name, name);
  }
  Delete(0);
  EXPECT_EQ(ListTree(library + "\\E100"), (Strings{"DOS\\", "DOS\\E100B.DOS", "DOS\\X.DOS", "E100B.DOS.bak",
                                                   "E100B.DOSX", "E100B.INI.old", "README.TXT"}));
  EXPECT_EQ(ReadTestFile(library + "\\E100\\E100B.DOS.bak"), "E100B.DOS.bak");
  EXPECT_TRUE(view.rows.empty());
  EXPECT_TRUE(view.boxes.empty());
}

TEST_F(DeleteCardTest, AReadOnlyDriverFileIsDeletedAllTheSame) {
  const std::string driver = LayOutCard("E100", "E100B.DOS");
  MakeTestFolders(library + "\\E100\\DOS");  // keeps the folder, so the file goes on its own
  ASSERT_TRUE(port::SetAttributes(driver, port::kAttrReadOnly));
  Show(driver);
  Delete(0);
  EXPECT_EQ(ListTree(library + "\\E100"), Strings{"DOS\\"});
  EXPECT_TRUE(view.boxes.empty());
}

TEST_F(DeleteCardTest, AFolderAlreadyGoneStillLeavesTheList) {
  Show(LayOutCard("AAA", "A.DOS"));
  Show(LayOutCard("BBB", "B.DOS"));
  RemoveTestTree(library + "\\AAA");
  Delete(0);
  EXPECT_EQ(view.rows, Strings{"BBB"});
  ExpectRowsPaired();
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_TRUE(Exists(library + "\\BBB\\B.DOS"));
}

TEST_F(DeleteCardTest, ASiblingWhoseNameBeginsWithTheCardsIsUntouched) {
  Show(LayOutCard("RTL", "RTL.DOS"));
  Show(LayOutCard("RTL8139", "RTL8139.DOS"));
  WriteTestFile(library + "\\RTL8139\\RTL.DOS", "same driver name");
  Delete(0);
  EXPECT_EQ(ListTree(library), (Strings{"RTL8139\\", "RTL8139\\RTL.DOS", "RTL8139\\RTL8139.DOS",
                                         "RTL8139\\RTL8139.INI"}));
  EXPECT_EQ(view.rows, Strings{"RTL8139"});
  ExpectRowsPaired();
}

TEST_F(DeleteCardTest, AFolderThatCannotBeRemovedIsReportedAndTheCardLeavesTheList) {
  const std::string driver = LayOutCard("E100", "E100B.DOS");
  WriteTestFile(library + "\\E100\\README.TXT", "r");
  Show(driver);
  {
    auto lock = port::LockFile(library + "\\E100\\README.TXT");
    ASSERT_NE(lock, nullptr);
    Delete(0);
  }
  EXPECT_EQ(ListTree(library + "\\E100"), Strings{"README.TXT"});
  ASSERT_FALSE(view.boxes.empty());
  for (const ShownBox& box : view.boxes) EXPECT_EQ(box.kind, ShownBox::kAppMessage);
  EXPECT_EQ(view.boxes.back().text, "删除目录" + library + "\\E100失败！");
  EXPECT_TRUE(view.rows.empty());
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(DeleteCardTest, AnEntryOutsideTheLibraryIsRefusedAndNothingRemoved) {
  const std::string outside = temp / "outside\\X\\X.DOS";
  WriteTestFile(outside, "x");
  WriteTestFile(temp / "outside\\X\\X.INI", "x");
  LayOutCard("E100", "E100B.DOS");
  const std::string paths[] = {
      outside,
      library + "\\..\\outside\\X\\X.DOS",
      library + "\\LOOSE.DOS",  // the card folder would be the library itself
      library + "\\E100\\..",   // the "driver" would be the library
      "X.DOS",
  };
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    list.Clear();
    view.rows.clear();
    view.boxes.clear();
    if (path == library + "\\LOOSE.DOS") WriteTestFile(path, "loose");
    list.Append({0, "X", path});
    view.rows.push_back("X");
    view.selected = 0;
    const State before = Now();
    DeleteCard(view, &list, program);
    EXPECT_TRUE(Now() == before);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].kind, ShownBox::kMessage);
    EXPECT_EQ(view.boxes[0].caption, "删除错误");
  }
}

TEST_F(DeleteCardTest, WithoutRowsSelectionOrEntryNothingChanges) {
  const State empty = Now();
  DeleteCard(view, &list, program);
  EXPECT_EQ(view.BoxTexts(), Strings{"没有可以删除的网卡！"});
  EXPECT_EQ(view.boxes[0].caption, "删除错误");
  EXPECT_FALSE(view.listFocused);
  EXPECT_TRUE(Now() == empty);

  Show(LayOutCard("E100", "E100B.DOS"));
  view.boxes.clear();
  const State one = Now();
  Delete(-1);
  EXPECT_EQ(view.BoxTexts(), Strings{"请选择要删除的网卡！"});
  EXPECT_EQ(view.boxes[0].caption, "删除错误");
  EXPECT_TRUE(view.listFocused);
  EXPECT_TRUE(Now() == one);

  // A row without an entry: nothing to act on, and nothing said.
  view.rows.push_back("GHOST");
  view.boxes.clear();
  view.selected = 1;
  const State ghost = Now();
  DeleteCard(view, &list, program);
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_TRUE(Now() == ghost);
}

// --- Card folders shared by several cards ---------------------------------------------

TEST_F(DeleteCardTest, AFolderHoldingAnotherCardsDriverLosesOnlyThisCardsFiles) {
  // Two drivers in one folder are two rows of the same name.
  const std::string a = LayOutCard("DUAL", "A.DOS");
  const std::string b = LayOutCard("DUAL", "B.DOS");
  WriteTestFile(library + "\\DUAL\\README.TXT", "r");
  for (int deleted : {0, 1}) {
    SCOPED_TRACE(deleted);
    list.Clear();
    view.rows.clear();
    LayOutCard("DUAL", "A.DOS");
    LayOutCard("DUAL", "B.DOS");
    Show(a);
    Show(b);
    Delete(deleted);
    const std::string kept = deleted == 0 ? b : a;
    const std::string keptName = cp936::FileNameOf(kept);
    EXPECT_EQ(ListTree(library + "\\DUAL"),
              (Strings{keptName, cp936::BaseNameOf(kept) + ".INI", "README.TXT"}));
    EXPECT_EQ(view.rows, Strings{"DUAL"});
    ExpectRowsPaired();
    EXPECT_EQ(list.FindByRow(0)->driverPath, kept);
    EXPECT_TRUE(view.boxes.empty());
  }
  // The last card of the folder takes the folder with it.
  Delete(0);
  EXPECT_FALSE(Exists(library + "\\DUAL"));
  EXPECT_TRUE(view.rows.empty());
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(DeleteCardTest, RowsWhoseDriverWentWithTheDeletedCardLeaveToo) {
  // ALIAS is a link to E100's folder: both rows name one driver file.
  const std::string e100 = LayOutCard("E100", "E100B.DOS");
  const std::string rtl = LayOutCard("RTL", "RTL.DOS");
  if (!MakeFolderLink(library + "\\E100", library + "\\ALIAS")) GTEST_SKIP() << "links cannot be made here";
  Show(e100);
  Show(library + "\\ALIAS\\E100B.DOS");
  Show(rtl);
  Delete(0);
  EXPECT_FALSE(Exists(library + "\\E100"));
  EXPECT_EQ(view.rows, Strings{"RTL"});
  ExpectRowsPaired();
  EXPECT_EQ(list.FindByRow(0)->driverPath, rtl);
  EXPECT_EQ(view.selected, -1);
  RemoveLink(library + "\\ALIAS");
}

TEST_F(DeleteCardTest, DeletingACardFolderThatIsALinkNeverDeletesThroughIt) {
  // ALIAS is a link to E100's folder. Where the link cannot be removed as a
  // link, E100's files stay all the same.
  const std::string e100 = LayOutCard("E100", "E100B.DOS");
  if (!MakeFolderLink(library + "\\E100", library + "\\ALIAS")) GTEST_SKIP() << "links cannot be made here";
  Show(e100);
  Show(library + "\\ALIAS\\E100B.DOS");
  Delete(1);
  EXPECT_EQ(ListTree(library + "\\E100"), (Strings{"E100B.DOS", "E100B.INI"}));
  EXPECT_EQ(view.rows, Strings{"E100"});
  ExpectRowsPaired();
  if (port::IsLink(library + "\\ALIAS")) {
    ASSERT_FALSE(view.boxes.empty());
    EXPECT_EQ(view.boxes.back().text, "删除目录" + library + "\\ALIAS失败！");
    RemoveLink(library + "\\ALIAS");
  } else {
    EXPECT_EQ(view.BoxTexts(), Strings{});
  }
}

TEST(CardMenu, ItemsAreEnabledOnlyWhileARowIsSelected) {
  FakeMainView view;
  EXPECT_FALSE(CardMenuItemsEnabled(view));
  view.rows = {"E100", "RTL8139"};
  EXPECT_FALSE(CardMenuItemsEnabled(view));
  view.selected = 1;
  EXPECT_TRUE(CardMenuItemsEnabled(view));
  view.DeleteRow(1);
  EXPECT_FALSE(CardMenuItemsEnabled(view));
  view.SelectRow(0);
  EXPECT_TRUE(CardMenuItemsEnabled(view));
}

}  // namespace
