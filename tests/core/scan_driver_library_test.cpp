#include "library/scan_driver_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "window/card_rows.h"
#include "support/fake_main_view.h"
#include "support/temp_folder.h"

namespace {

// (cardName, driverPath) of every entry, in list order.
std::vector<std::pair<std::string, std::string>> Entries(const CardList& list) {
  std::vector<std::pair<std::string, std::string>> out;
  int row = 0;
  for (const CardEntry& entry : list) {
    EXPECT_EQ(entry.rowIndex, row++);
    out.push_back({entry.cardName, entry.driverPath});
  }
  return out;
}

std::vector<std::pair<std::string, std::string>> Sorted(std::vector<std::pair<std::string, std::string>> v) {
  std::sort(v.begin(), v.end());
  return v;
}

class ScanDriverLibraryTest : public ::testing::Test {
 protected:
  TempFolder temp;
  std::string library = temp / "driver";
};

TEST_F(ScanDriverLibraryTest, AMissingLibraryGivesNoEntries) {
  CardList list;
  ScanDriverLibrary(library + "\\", &list);
  EXPECT_TRUE(list.IsEmpty());
}

TEST_F(ScanDriverLibraryTest, EveryDosFileIsACardNamedAfterTheFolderHoldingIt) {
  WriteTestFile(library + "\\E100\\E100B.DOS", "drv");
  WriteTestFile(library + "\\E100\\E100B.INI", "ini");
  WriteTestFile(library + "\\E100\\MSLANMAN.DOS", "drv");
  WriteTestFile(library + "\\E100\\DOS\\LOWER.dos", "drv");
  WriteTestFile(library + "\\RTL\\rtl.Dos", "drv");
  MakeTestFolders(library + "\\EMPTY");
  CardList list;
  ScanDriverLibrary(library + "\\", &list);
  EXPECT_EQ(Sorted(Entries(list)),
            Sorted({{"DOS", library + "\\E100\\DOS\\LOWER.dos"},
                    {"E100", library + "\\E100\\E100B.DOS"},
                    {"E100", library + "\\E100\\MSLANMAN.DOS"},
                    {"RTL", library + "\\RTL\\rtl.Dos"}}));
}

TEST_F(ScanDriverLibraryTest, OnlyNamesEndingInDotDosMatch) {
  for (const char* name : {"A.dosx", "B.do", "dos", "DOS", "C.dos.txt", "x.DOS~"}) {
    WriteTestFile(library + "\\CARD\\" + name, "x");
  }
  MakeTestFolders(library + "\\CARD\\folder.dos");  // a folder, scanned as one
  WriteTestFile(library + "\\CARD\\folder.dos\\INNER.DOS", "drv");
  CardList list;
  ScanDriverLibrary(library, &list);
  EXPECT_EQ(Entries(list), (std::vector<std::pair<std::string, std::string>>{
                               {"folder.dos", library + "\\CARD\\folder.dos\\INNER.DOS"}}));
}

TEST_F(ScanDriverLibraryTest, TheTrailingBackslashMakesNoDifference) {
  WriteTestFile(library + "\\E100\\E100B.DOS", "drv");
  WriteTestFile(library + "\\E100\\SUB\\S.DOS", "drv");
  CardList with, without;
  ScanDriverLibrary(library + "\\", &with);
  ScanDriverLibrary(library, &without);
  EXPECT_EQ(Entries(with), Entries(without));
  EXPECT_EQ(with.Count(), 2);
}

TEST_F(ScanDriverLibraryTest, AppendsBehindWhatTheListHolds) {
  WriteTestFile(library + "\\E100\\E100B.DOS", "drv");
  CardList list;
  ScanDriverLibrary(library, &list);
  ScanDriverLibrary(library, &list);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_NE(list.FindByRow(1), nullptr);
}

TEST_F(ScanDriverLibraryTest, NamesWithABackslashTrailByteKeepTheirFolder) {
  const std::string card = "\x9C\x5C";  // 淺
  WriteTestFile(library + "\\" + card + "\\" + card + ".DOS", "drv");
  CardList list;
  ScanDriverLibrary(library, &list);
  EXPECT_EQ(Entries(list), (std::vector<std::pair<std::string, std::string>>{
                               {card, library + "\\" + card + "\\" + card + ".DOS"}}));
}

TEST_F(ScanDriverLibraryTest, FillingTheListShowsOneRowPerEntryInScanOrder) {
  WriteTestFile(library + "\\A\\A.DOS", "drv");
  WriteTestFile(library + "\\B\\B.DOS", "drv");
  WriteTestFile(library + "\\C\\C.DOS", "drv");
  FakeMainView view;
  view.rows = {"stale"};
  CardList list;
  FillCardList(view, &list, library + "\\");
  ASSERT_EQ(view.rows.size(), 3u);
  for (const CardEntry& entry : list) EXPECT_EQ(view.rows[static_cast<size_t>(entry.rowIndex)], entry.cardName);
  EXPECT_EQ(view.selected, -1);
  EXPECT_FALSE(view.buildButtonsEnabled);
}

}  // namespace
