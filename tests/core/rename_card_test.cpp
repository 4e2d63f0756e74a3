#include "library/rename_card.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/card_command_fixture.h"
#include "window/card_rows.h"
#include "port/file_system.h"
#include "window/card_commands.h"

namespace {

using Strings = std::vector<std::string>;

class RenameCardTest : public CardCommandTest {
 protected:
  // Lays out cards in the given folders (each with <name>.DOS) and fills the
  // list from a scan, as at start-up.
  void Library(const Strings& cards) {
    for (const std::string& card : cards) LayOutCard(card, cp936::FileNameOf(card) + ".DOS");
    FillCardList(view, &list, library + "\\");
  }

  void Rename(const std::string& card, const std::string& newName) {
    view.selected = RowOf(card);
    ASSERT_NE(view.selected, -1) << card;
    view.AnswerNewName(newName);
    RenameCard(view, &list, program);
  }

  const CardEntry& SelectedEntry() {
    const CardEntry* entry = list.FindByRow(view.selected);
    EXPECT_NE(entry, nullptr);
    static const CardEntry none;
    return entry != nullptr ? *entry : none;
  }

  std::set<std::string> CardNames() const {
    std::set<std::string> names;
    for (const CardEntry& entry : list) names.insert(entry.cardName);
    return names;
  }
};

TEST_F(RenameCardTest, ANewNameMovesTheFolderAndKeepsRowsPairedWithEntries) {
  Library({"AAA", "MMM", "QQQ"});
  WriteTestFile(library + "\\AAA\\SUB\\HELP.TXT", "help");
  const Strings content = ListTree(library + "\\AAA");
  // A name that sorts last: a listing in name order moves the card to the
  // end, so the rows must follow the new entries.
  Rename("AAA", "ZZZ");
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_FALSE(Exists(library + "\\AAA"));
  EXPECT_EQ(ListTree(library + "\\ZZZ"), content);
  ExpectRowsPaired();
  EXPECT_EQ(CardNames(), (std::set<std::string>{"MMM", "QQQ", "ZZZ"}));
  ASSERT_NE(view.selected, -1);
  EXPECT_EQ(view.rows[static_cast<std::size_t>(view.selected)], "ZZZ");
  EXPECT_EQ(SelectedEntry().driverPath, library + "\\ZZZ\\AAA.DOS");
  for (const CardEntry& entry : list) EXPECT_TRUE(Exists(entry.driverPath)) << entry.driverPath;
}

TEST_F(RenameCardTest, TheRowsFollowTheNewScanWhateverOrderTheyHadBefore) {
  Library({"AAA", "MMM", "QQQ"});
  // Rows in the reverse of the listing's order, as when the library changed
  // on disk since the rows were filled.
  std::vector<CardEntry> reversed(list.begin(), list.end());
  std::reverse(reversed.begin(), reversed.end());
  list.Clear();
  view.rows.clear();
  for (const CardEntry& entry : reversed) Show(entry.driverPath);
  Rename("MMM", "Intel");
  EXPECT_TRUE(view.boxes.empty());
  ExpectRowsPaired();
  EXPECT_EQ(view.rows[static_cast<std::size_t>(view.selected)], "Intel");
  EXPECT_EQ(SelectedEntry().driverPath, library + "\\Intel\\MMM.DOS");
}

TEST_F(RenameCardTest, TheSelectedDriverStaysSelectedInAFolderOfSeveral) {
  Library({"E100", "RTL"});
  WriteTestFile(library + "\\E100\\MSLANMAN.DOS", "drv");
  list.Clear();
  FillCardList(view, &list, library + "\\");
  for (const CardEntry& entry : list) {
    if (cp936::FileNameOf(entry.driverPath) == "MSLANMAN.DOS") view.selected = entry.rowIndex;
  }
  view.AnswerNewName("Intel");
  RenameCard(view, &list, program);
  ExpectRowsPaired();
  EXPECT_EQ(SelectedEntry().driverPath, library + "\\Intel\\MSLANMAN.DOS");
  EXPECT_EQ(list.Count(), 3);
}

TEST_F(RenameCardTest, AnotherCardsNameIsRefusedWhateverItsLetterCase) {
  Library({"E100", "RTL8139"});
  for (const char* name : {"RTL8139", "rtl8139", "Rtl8139"}) {
    SCOPED_TRACE(name);
    view.boxes.clear();
    view.selected = RowOf("E100");
    const State before = Now();
    view.AnswerNewName(name);
    RenameCard(view, &list, program);
    EXPECT_TRUE(Now() == before);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].kind, ShownBox::kMessage);
    EXPECT_EQ(view.boxes[0].caption, "修改错误");
  }
}

TEST_F(RenameCardTest, AChangeOfLetterCaseAloneRenamesTheFolder) {
  Library({"E100", "RTL"});
  const Strings content = ListTree(library + "\\E100");
  Rename("E100", "e100");
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_EQ(ListTree(library), (Strings{"RTL\\", "RTL\\RTL.DOS", "RTL\\RTL.INI", "e100\\", "e100\\E100.DOS",
                                         "e100\\E100.INI"}));
  EXPECT_EQ(ListTree(library + "\\e100"), content);
  ExpectRowsPaired();
  EXPECT_EQ(view.rows[static_cast<std::size_t>(view.selected)], "e100");
}

TEST_F(RenameCardTest, ItsOwnNameChangesNothing) {
  Library({"E100", "RTL"});
  view.selected = RowOf("E100");
  const State before = Now();
  view.AnswerNewName("E100");
  RenameCard(view, &list, program);
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_TRUE(Now() == before);
}

TEST_F(RenameCardTest, ADriverInASubFolderRenamesThatSubFolder) {
  LayOutCard("E100\\DOS", "X.DOS");
  WriteTestFile(library + "\\E100\\README.TXT", "r");
  FillCardList(view, &list, library + "\\");
  Rename("DOS", "NEWDOS");
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_EQ(ListTree(library), (Strings{"E100\\", "E100\\NEWDOS\\", "E100\\NEWDOS\\X.DOS", "E100\\NEWDOS\\X.INI",
                                         "E100\\README.TXT"}));
  EXPECT_EQ(view.rows, Strings{"NEWDOS"});
  EXPECT_EQ(SelectedEntry().driverPath, library + "\\E100\\NEWDOS\\X.DOS");
}

TEST_F(RenameCardTest, NamesThatAreNotOneFolderNameChangeNothing) {
  Library({"E100", "RTL"});
  for (const char* name : {"", "..", ".", "a\\b", "a/b", "..\\x", "CON", "lpt1.txt", "x:", "a*", "Intel.", "Intel ",
                           "Intel\x81", "\x81/x"}) {
    SCOPED_TRACE(name);
    view.boxes.clear();
    view.selected = RowOf("E100");
    const State before = Now();
    view.AnswerNewName(name);
    RenameCard(view, &list, program);
    EXPECT_TRUE(Now() == before);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].kind, ShownBox::kMessage);
    EXPECT_EQ(view.boxes[0].caption, "修改错误");
    EXPECT_FALSE(view.boxes[0].text.empty());
  }
}

TEST_F(RenameCardTest, AFailedRenameIsReportedAndTheRowKeepsItsOldName) {
  Library({"E100", "RTL"});
  WriteTestFile(library + "\\NOTES\\README.TXT", "not a card");  // a folder without a driver
  WriteTestFile(library + "\\LIST.TXT", "a file");
  // The target taken by a folder or a file that is no card, and the card
  // folder itself removed behind the program's back.
  for (const char* name : {"NOTES", "LIST.TXT", "Intel"}) {
    SCOPED_TRACE(name);
    if (std::string(name) == "Intel") RemoveTestTree(library + "\\E100");
    view.boxes.clear();
    view.selected = RowOf("E100");
    const State before = Now();
    view.AnswerNewName(name);
    RenameCard(view, &list, program);
    EXPECT_TRUE(Now() == before);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].kind, ShownBox::kFileError);
    EXPECT_NE(view.boxes[0].text.find(name), std::string::npos) << view.boxes[0].text;
  }
  EXPECT_FALSE(Exists(library + "\\Intel"));
}

TEST_F(RenameCardTest, AnEntryOutsideTheLibraryIsRefused) {
  WriteTestFile(temp / "outside\\X\\X.DOS", "x");
  LayOutCard("E100", "E100.DOS");
  for (const std::string& path : {temp / "outside\\X\\X.DOS", library + "\\..\\outside\\X\\X.DOS",
                                  library + "\\LOOSE.DOS"}) {
    SCOPED_TRACE(path);
    list.Clear();
    view.rows = {"X"};
    view.boxes.clear();
    list.Append({0, "X", path});
    view.selected = 0;
    const State before = Now();
    view.AnswerNewName("Intel");
    RenameCard(view, &list, program);
    EXPECT_TRUE(Now() == before);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].kind, ShownBox::kMessage);
    EXPECT_EQ(view.boxes[0].caption, "修改错误");
  }
}

TEST_F(RenameCardTest, CancellingTheDialogChangesNothing) {
  Library({"E100", "RTL"});
  view.selected = RowOf("E100");
  const State before = Now();
  RenameCard(view, &list, program);  // no answer queued: the dialog is cancelled
  EXPECT_EQ(view.dialogsRun, 1);
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_TRUE(Now() == before);
}

TEST_F(RenameCardTest, WithoutRowsSelectionOrEntryNothingIsAsked) {
  RenameCard(view, &list, program);
  ASSERT_EQ(view.BoxTexts(), Strings{"没有可以更名的网卡"});
  EXPECT_EQ(view.boxes[0].caption, "列表为空");
  EXPECT_FALSE(view.listFocused);

  Library({"E100"});
  view.boxes.clear();
  const State one = Now();
  view.selected = -1;
  RenameCard(view, &list, program);
  ASSERT_EQ(view.BoxTexts(), Strings{"选择要重命名的网卡"});
  EXPECT_EQ(view.boxes[0].caption, "修改错误");
  EXPECT_TRUE(view.listFocused);
  EXPECT_TRUE(Now() == one);

  view.rows.push_back("GHOST");
  view.selected = 1;
  view.boxes.clear();
  const State ghost = Now();
  RenameCard(view, &list, program);
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_TRUE(Now() == ghost);
  EXPECT_EQ(view.dialogsRun, 0);
}

TEST(RenameDialog, AnyTypedTextCountsAsAName) {
  EXPECT_FALSE(IsRenameNameGiven(""));
  EXPECT_TRUE(IsRenameNameGiven(" "));
  EXPECT_TRUE(IsRenameNameGiven("Intel"));
}

}  // namespace
