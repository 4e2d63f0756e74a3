#include "library/card_details.h"

#include <gtest/gtest.h>

#include "card_command_fixture.h"
#include "port/file_system.h"
#include "window/card_commands.h"

namespace {

class CardDetailsTest : public CardCommandTest {
 protected:
  // Shows `row` over stale details of an earlier card.
  void ShowDetails(int row) {
    view.selected = row;
    view.driverName = "STALE.DOS";
    view.protocolText = "stale";
    view.listFocused = false;
    ShowCardDetails(view, list);
  }
};

TEST_F(CardDetailsTest, ShowsTheDriverNameAndEveryIniLineEndedByCrLf) {
  Show(LayOutCard("E100", "E100B.DOS"));
  WriteTestFile(library + "\\E100\\E100B.INI", "[E100B_NIF]\r\nDriverName=E100B$\nSPEED=AUTO\r\n\r\n; last, no line end");
  view.buildButtonsEnabled = false;
  ShowDetails(0);
  EXPECT_EQ(view.driverName, "E100B.DOS");
  EXPECT_EQ(view.protocolText, "[E100B_NIF]\r\nDriverName=E100B$\r\nSPEED=AUTO\r\n\r\n; last, no line end\r\n");
  EXPECT_TRUE(view.buildButtonsEnabled);
  EXPECT_TRUE(view.listFocused);
  EXPECT_TRUE(view.boxes.empty());
}

TEST_F(CardDetailsTest, TheIniFileIsReadAsTextModeReadsIt) {
  using namespace std::string_literals;
  Show(LayOutCard("E100", "E100B.DOS"));
  const struct {
    std::string bytes;
    std::string shown;
  } cases[] = {
      // A DOS editor's Ctrl-Z ends the text: no junk last line.
      {"[E100B]\r\nDriverName=E100B$\r\n\x1A", "[E100B]\r\nDriverName=E100B$\r\n"},
      {"[E100B]\r\nDriverName=E100B$\x1A", "[E100B]\r\nDriverName=E100B$\r\n"},
      {"[E100B]\x1A\r\nhidden=1\r\n", "[E100B]\r\n"},
      {"\x1A[E100B]\r\n", ""},
      // A NUL ends its line only.
      {"a=1\0junk\r\nb=2\r\n"s, "a=1\r\nb=2\r\n"},
      // Carriage returns not before a line feed stay in the text.
      {"a\rb\r\n", "a\rb\r\n"},
      {"a\r\r\n", "a\r\r\n"},
      {"a\r", "a\r\r\n"},
      {"\r\n\n", "\r\n\r\n"},
      // A file bigger than any card INI is not read.
      {std::string(1024 * 1024 + 1, 'x'), ""},
  };
  for (const auto& c : cases) {
    WriteTestFile(library + "\\E100\\E100B.INI", c.bytes);
    ShowDetails(0);
    EXPECT_EQ(view.protocolText, c.shown) << testing::PrintToString(c.bytes);
  }
}

TEST_F(CardDetailsTest, TheIniFileIsNamedAfterTheDriverInItsOwnFolder) {
  Show(LayOutCard("RTL", "RTL.DOS"));
  Show(LayOutCard("3C90X\\DOS", "EL90X.DOS"));
  WriteTestFile(library + "\\3C90X\\EL90X.INI", "the package's other folder");
  ShowDetails(1);
  EXPECT_EQ(view.driverName, "EL90X.DOS");
  EXPECT_EQ(view.protocolText, "[EL90X.DOS]\r\n");
  ShowDetails(0);
  EXPECT_EQ(view.driverName, "RTL.DOS");
  EXPECT_EQ(view.protocolText, "[RTL.DOS]\r\n");
}

TEST_F(CardDetailsTest, AMissingOrEmptyIniFileShowsNoText) {
  Show(LayOutCard("A", "A.DOS"));
  Show(LayOutCard("B", "B.DOS"));
  port::RemoveFile(library + "\\A\\A.INI");
  WriteTestFile(library + "\\B\\B.INI", "");
  for (int row : {0, 1}) {
    view.buildButtonsEnabled = false;
    ShowDetails(row);
    EXPECT_EQ(view.driverName, row == 0 ? "A.DOS" : "B.DOS");
    EXPECT_EQ(view.protocolText, "");
    EXPECT_TRUE(view.buildButtonsEnabled);
  }
  EXPECT_TRUE(view.boxes.empty());
}

TEST_F(CardDetailsTest, NoSelectionBlanksThePaneAndDisablesTheBuildButtons) {
  Show(LayOutCard("A", "A.DOS"));
  ShowDetails(-1);
  EXPECT_EQ(view.driverName, "");
  EXPECT_EQ(view.protocolText, "");
  EXPECT_FALSE(view.buildButtonsEnabled);
  EXPECT_TRUE(view.listFocused);
}

TEST_F(CardDetailsTest, AnEmptyListBlanksThePaneAndLeavesTheButtonsAsTheyAre) {
  for (bool enabled : {true, false}) {
    view.buildButtonsEnabled = enabled;
    ShowDetails(-1);
    EXPECT_EQ(view.driverName, "");
    EXPECT_EQ(view.protocolText, "");
    EXPECT_EQ(view.buildButtonsEnabled, enabled);
    EXPECT_FALSE(view.listFocused);
  }
}

TEST_F(CardDetailsTest, ARowWithoutACardShowsNothingButCountsAsASelection) {
  Show(LayOutCard("A", "A.DOS"));
  view.rows.push_back("no entry");
  view.buildButtonsEnabled = false;
  ShowDetails(1);
  EXPECT_EQ(view.driverName, "");
  EXPECT_EQ(view.protocolText, "");
  EXPECT_TRUE(view.buildButtonsEnabled);
}

}  // namespace
