// The context menu's "创建启动镜像..." writes a boot floppy image for the
// card under the pointer, and is greyed where there is none;
// "创建网络启动目录..." writes the lab's network boot folder for every card,
// showing its progress.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

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

  // The black pixels of each text item of the menu, top to bottom: an
  // item's text is black when it can be chosen, grey when it is greyed.
  // (Wine keeps menus inside their process, so their items cannot be asked
  // for from here.) An item is a band of rows with text; a separator is
  // only a line or two.
  static std::vector<int> BlackPixelsOfItems(HWND menu) {
    RECT rect;
    GetWindowRect(menu, &rect);
    HDC screen = GetDC(nullptr);
    std::vector<int> items;
    int bandRows = 0, bandBlack = 0;
    for (int y = rect.top + 2; y < rect.bottom - 1; ++y) {
      int inked = 0, black = 0;
      for (int x = rect.left + 3; x < rect.right - 3; ++x) {
        const COLORREF c = GetPixel(screen, x, y);
        const int darkest = std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
        inked += darkest < 0xC0 ? 1 : 0;
        // Darker than greyed text ever is (grey, 0x80), antialiased or not.
        black += darkest < 0x70 ? 1 : 0;
      }
      if (inked > 0) {
        ++bandRows;
        bandBlack += black;
      } else {
        if (bandRows > 4) items.push_back(bandBlack);
        bandRows = bandBlack = 0;
      }
    }
    if (bandRows > 4) items.push_back(bandBlack);
    ReleaseDC(nullptr, screen);
    return items;
  }

  TempFolder target;
};

TEST_F(BootImageTest, TheMenuItemWritesTheImageForTheCard) {
  const std::string templateBefore = ReadTestFile(folder / "BootDisk.img");
  const int row = RowOf("RTL8139");
  ASSERT_GE(row, 0);
  HWND menu = OpenMenu(row);
  ASSERT_NE(menu, nullptr);
  const std::vector<int> items = BlackPixelsOfItems(menu);
  // 修改名称, 删除网卡, then 创建启动镜像..., 创建网络启动目录..., 创建通用U盘...,
  // 创建通用启动镜像... and 网络设置..., all to be chosen.
  ASSERT_EQ(items.size(), 7u);
  for (std::size_t i = 2; i < items.size(); ++i) EXPECT_GT(items[i], 20) << i;

  // From no item, Up selects the last one; Up on to "创建启动镜像...".
  for (std::size_t i = 2; i < items.size(); ++i) PressKey(VK_UP);
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

TEST_F(BootImageTest, WithoutASelectionTheImageItemIsGreyedAndTheNetworkBootItemIsNot) {
  HWND menu = OpenMenu(-1);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(RunningApp::SelectedRow(list()), -1);
  const std::vector<int> items = BlackPixelsOfItems(menu);
  ASSERT_EQ(items.size(), 7u);
  EXPECT_EQ(items[2], 0);
  // The builds of every card and 网络设置... need no selection.
  for (std::size_t i = 3; i < items.size(); ++i) EXPECT_GT(items[i], 20) << i;
  // Enter on the greyed item runs nothing.
  for (std::size_t i = 2; i < items.size(); ++i) PressKey(VK_UP);
  PressKey(VK_RETURN);
  EXPECT_EQ(app->WaitForDialog("创建路径", 1500), nullptr);
  if (IsWindowVisible(menu)) PressKey(VK_ESCAPE);  // Esc reaching the dialog would end the program
  EXPECT_TRUE(app->WaitUntilIdle());
  EXPECT_FALSE(app->WaitForExit(300));
}

// Enough cards that the build takes well over the half second after which
// the progress window shows, even on a fast machine: each is an image of
// the template written whole.
TEST_F(BootImageTest, TheNetworkBootFolderIsBuiltForEveryCardWithItsProgressShown) {
  app.reset();
  constexpr int kCopies = 150;
  for (int i = 1; i <= kCopies; ++i) CopyTestTree(folder.library() + "\\RTL8139", folder.library() + "\\R" + std::to_string(i));
  app = folder.Start();
  ASSERT_TRUE(app->started());
  const int cards = static_cast<int>(Rows().size());
  ASSERT_EQ(cards, kCopies + 3);

  RunningApp::PostCommand(app->main(), ID_MENU_CREATE_NETBOOT);
  AnswerTargetDialog(*app, target.path());
  HWND progress = app->WaitForDialog("正在创建网络启动目录");
  ASSERT_NE(progress, nullptr);
  EXPECT_NE(RunningApp::Control(progress, IDC_PROGRESS_BAR), nullptr);
  DWORD_PTR ignored = 0;
  EXPECT_NE(SendMessageTimeoutA(app->main(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 250, &ignored), 0);
  const MessageBoxSeen box = app->AcceptMessageBox(120000);
  EXPECT_EQ(box.caption, "创建成功");
  EXPECT_EQ(box.text.rfind("网络启动目录创建成功！\n", 0), 0u) << box.text;
  ASSERT_TRUE(app->WaitUntilIdle());

  const std::vector<std::string> built = ListTree(target / "netboot");
  EXPECT_EQ(built.size(), static_cast<std::size_t>(cards + 3));
  for (const char* name : {"RTL8139.IMG", "RTL8139-151.IMG", "E100B.IMG", "ALL.IMG", "menu.cfg", "menu.ipxe"}) {
    EXPECT_NE(std::find(built.begin(), built.end(), name), built.end()) << name;
  }
}

// The two builds of one medium for every card, from their menu items.
TEST_F(BootImageTest, TheUniversalItemsBuildOneMediumForEveryCard) {
  const struct {
    int command;
    const char* success;
    const char* built;
  } cases[] = {{ID_MENU_CREATE_UNIVERSAL_USB, "通用启动盘创建成功！\n", "BootDisk\\NET\\TOVRELL.COM"},
               {ID_MENU_CREATE_UNIVERSAL_IMAGE, "通用启动镜像创建成功！\n", "BootDisk.img"}};
  for (const auto& c : cases) {
    RunningApp::PostCommand(app->main(), c.command);
    AnswerTargetDialog(*app, target.path());
    const MessageBoxSeen box = app->AcceptMessageBox();
    EXPECT_EQ(box.caption, "创建成功");
    EXPECT_EQ(box.text.rfind(c.success, 0), 0u) << box.text;
    ASSERT_TRUE(app->WaitUntilIdle());
    EXPECT_TRUE(Exists(target / c.built)) << c.built;
  }
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
