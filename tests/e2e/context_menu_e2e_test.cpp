// A real right click on the card list opens the context menu at the
// pointer; its commands work on the card under the pointer and are greyed
// where there is none.
#include <gtest/gtest.h>

#include <cstdlib>

#include "library_fixture.h"
#include "res/resource.h"

namespace {

using ContextMenuTest = LibraryTest;

TEST_F(ContextMenuTest, ARightClickOnACardOffersItsCommands) {
  const int row = RowOf("RTL8139");
  ASSERT_GE(row, 0);
  const POINT point = RowCentre(*app, list(), row);
  ClickAt(point, true);
  HWND menu = WaitForPopupMenu(*app);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(RunningApp::SelectedRow(list()), row);  // the click selected the card
  RECT rect;
  GetWindowRect(menu, &rect);
  EXPECT_LE(std::abs(rect.left - point.x), 2);  // the menu's left edge at the pointer
  EXPECT_LE(std::abs(rect.top - point.y), 2);

  // The first item, "修改名称", opens the rename dialog for this card.
  PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  HWND dialog = app->WaitForDialog("更改名称");
  ASSERT_NE(dialog, nullptr);
  RunningApp::SetText(RunningApp::Control(dialog, IDC_NEW_NAME), "Realtek");
  RunningApp::Click(dialog, IDOK);
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_TRUE(Exists(folder.library() + "\\Realtek\\RTL8139.DOS"));
  ExpectRowsPairedWithCards();
}

TEST_F(ContextMenuTest, WithoutASelectionTheCommandsAreGreyed) {
  // Below the last row the list is empty: the click clears the selection.
  POINT below = RowCentre(*app, list(), static_cast<int>(Rows().size()) - 1);
  below.y += 60;
  ClickAt(below, true);
  HWND menu = WaitForPopupMenu(*app);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(RunningApp::SelectedRow(list()), -1);
  // Neither greyed item can be chosen: Enter on them runs nothing.
  PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  if (IsWindowVisible(menu)) {
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
  }
  if (IsWindowVisible(menu)) PressKey(VK_ESCAPE);  // Esc reaching the dialog would end the program
  EXPECT_FALSE(app->WaitForExit(500));
  EXPECT_TRUE(app->WaitUntilIdle());
  EXPECT_TRUE(app->OpenDialogs().empty());
  EXPECT_EQ(Rows().size(), 3u);
}

TEST_F(ContextMenuTest, EscapeClosesTheMenuWithoutACommand) {
  ClickAt(RowCentre(*app, list(), 0), true);
  HWND menu = WaitForPopupMenu(*app);
  ASSERT_NE(menu, nullptr);
  PressKey(VK_ESCAPE);
  for (int waited = 0; waited < 3000 && IsWindowVisible(menu); waited += 50) Sleep(50);
  EXPECT_FALSE(IsWindowVisible(menu));
  EXPECT_TRUE(app->WaitUntilIdle());
  EXPECT_EQ(Rows().size(), 3u);
}

}  // namespace
