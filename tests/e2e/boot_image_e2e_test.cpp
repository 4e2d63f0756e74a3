// The context menu's "创建启动镜像..." writes a boot floppy image for the
// card under the pointer, and is greyed where there is none.
#include <gtest/gtest.h>

#include "fat/image.h"
#include "library_fixture.h"
#include "port/file_system.h"
#include "res/resource.h"

namespace {

class BootImageTest : public LibraryTest {
 protected:
  void SetUp() override {
    // The template image lies beside the program before it starts.
    ASSERT_TRUE(port::CopyOneFile(ProgramFolder::SampleImage(), folder / "BootDisk.img"));
    LibraryTest::SetUp();
  }

  // Right-clicks `row` (or below the rows for -1) and returns the menu
  // window that opens, left open.
  HWND OpenMenu(int row) const {
    POINT point = RowCentre(*app, list(), row < 0 ? static_cast<int>(Rows().size()) - 1 : row);
    if (row < 0) point.y += 60;
    ClickAt(point, true);
    return WaitForPopupMenu(*app);
  }

  // Black pixels in the strip of the menu's last item: its text is black
  // when the item can be chosen, grey when it is greyed. (Wine keeps menus
  // inside their process, so their items cannot be asked for from here.)
  static int BlackPixelsOfLastItem(HWND menu) {
    RECT rect;
    GetWindowRect(menu, &rect);
    HDC screen = GetDC(nullptr);
    int black = 0;
    for (int y = rect.bottom - 16; y < rect.bottom - 3; ++y) {
      for (int x = rect.left + 3; x < rect.right - 3; ++x) {
        const COLORREF c = GetPixel(screen, x, y);
        if (GetRValue(c) < 0x40 && GetGValue(c) < 0x40 && GetBValue(c) < 0x40) ++black;
      }
    }
    ReleaseDC(nullptr, screen);
    return black;
  }

  TempFolder target;
};

TEST_F(BootImageTest, TheMenuItemWritesTheImageForTheCard) {
  const std::string templateBefore = ReadTestFile(folder / "BootDisk.img");
  const int row = RowOf("RTL8139");
  ASSERT_GE(row, 0);
  HWND menu = OpenMenu(row);
  ASSERT_NE(menu, nullptr);
  EXPECT_GT(BlackPixelsOfLastItem(menu), 20);

  PressKey(VK_UP);  // from no item, Up selects the last one: "创建启动镜像..."
  PressKey(VK_RETURN);
  AnswerTargetDialog(*app, target.path());
  const MessageBoxSeen box = app->AcceptMessageBox();
  EXPECT_EQ(box.text, "启动镜像创建成功！");
  EXPECT_EQ(box.caption, "创建成功");
  EXPECT_EQ(box.icon, MessageBoxSeen::kNone);
  ASSERT_TRUE(app->WaitUntilIdle());

  EXPECT_EQ(ListTree(target.path()), std::vector<std::string>{"BootDisk.img"});
  EXPECT_EQ(ReadTestFile(folder / "BootDisk.img"), templateBefore);
  fat::Image image;
  std::string problem;
  ASSERT_TRUE(image.Open(ReadTestFile(target / "BootDisk.img"), &problem)) << problem;
  std::string content;
  ASSERT_TRUE(image.ReadFile("NET\\RTL8139.DOS", &content));
  EXPECT_EQ(content, "RTL8139 placeholder driver");
  ASSERT_TRUE(image.ReadFile("NET\\SYSTEM.INI", &content));
  EXPECT_EQ(content, WithFirstLineReplaced(ReadTestFile(folder.bootDisk() + "\\NET\\SYSTEM.INI"), "netcard=",
                                           "netcard=RTL8139.DOS"));
  ASSERT_TRUE(image.ReadFile("NET\\PROTOCOL.INI", &content));
  EXPECT_EQ(content, WithFirstLineReplaced(ReadTestFile(folder.bootDisk() + "\\NET\\PROTOCOL.INI"), "DriverName=",
                                           "DriverName=RTL8139$"));
}

TEST_F(BootImageTest, WithoutASelectionTheItemIsGreyed) {
  HWND menu = OpenMenu(-1);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(RunningApp::SelectedRow(list()), -1);
  EXPECT_EQ(BlackPixelsOfLastItem(menu), 0);
  // Enter on the greyed item runs nothing.
  PressKey(VK_UP);
  PressKey(VK_RETURN);
  EXPECT_EQ(app->WaitForDialog("创建路径", 1500), nullptr);
  if (IsWindowVisible(menu)) PressKey(VK_ESCAPE);  // Esc reaching the dialog would end the program
  EXPECT_TRUE(app->WaitUntilIdle(3000));
  EXPECT_FALSE(app->WaitForExit(300));
}

TEST_F(BootImageTest, TheProgramFolderAsTargetIsRefused) {
  const std::string templateBefore = ReadTestFile(folder / "BootDisk.img");
  Select("E100");
  RunningApp::PostCommand(app->main(), ID_MENU_CREATE_BOOT_IMAGE);
  AnswerTargetDialog(*app, folder.path());
  const MessageBoxSeen box = app->AcceptMessageBox();
  EXPECT_EQ(box.caption, "创建错误");
  EXPECT_NE(box.text.find("BootDisk.img"), std::string::npos) << box.text;
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_EQ(ReadTestFile(folder / "BootDisk.img"), templateBefore);
}

}  // namespace
