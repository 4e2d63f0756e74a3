// One medium for every card: the USB folder and the boot image carry each
// card's driver and INI files in a folder of its own, the boot program and
// its table, and AUTOEXEC.BAT running the program; the network boot folder
// gets the same as ALL.IMG.
#include <gtest/gtest.h>

#include <functional>

#include "bootdisk/autoexec_line.h"
#include "bootdisk/boot_table.h"
#include "bootprog/boot_program.h"
#include "card_command_fixture.h"
#include "fat/image.h"
#include "port/file_system.h"
#include "support/fat_test_image.h"
#include "window/build_commands.h"

namespace {

using Texts = std::vector<std::string>;

class UniversalBuildTest : public SampleProgramTest {
 protected:
  void SetUp() override {
    SampleProgramTest::SetUp();
    list.Clear();
    view.rows.clear();
    autoexec = ReadTestFile(program + "\\BootDisk\\AUTOEXEC.BAT");
    WriteTestFile(program + "\\BootDisk.img", MemoryFloppy(TemplateNetFiles(), {{"AUTOEXEC.BAT", autoexec}}));
  }

  void Build(bool image) {
    view.boxes.clear();
    view.AnswerTargetPath(target.path());
    (image ? CreateUniversalImage : CreateUniversalUsb)(view, list, program);
  }

  // A file of the medium built, "" when it has none.
  std::string Medium(bool image, const std::string& path) const {
    if (!image) return Exists(target / ("BootDisk\\" + path)) ? ReadTestFile(target / ("BootDisk\\" + path)) : "";
    fat::Image built;
    std::string problem, content;
    if (!built.Open(ReadTestFile(target / "BootDisk.img"), &problem)) return "<no image: " + problem + ">";
    return built.ReadFile(path, &content) ? content : "";
  }

  TempFolder target;
  std::string autoexec;
};

TEST_F(UniversalBuildTest, EveryCardThatCanGoOnTheMediumGetsAFolderARowOfTheTableAndItsFiles) {
  const struct {
    const char* folder;
    const char* driver;
    const char* inf;       // its Windows INF's ids, or nullptr
    const char* tableRow;  // its table line, or "" when left out
    const char* reason;    // what the message says when left out
  } cards[] = {
      {"REALTEK", "RTL8139.DOS", "PCI\\VEN_10EC&DEV_8139", "CARD 001 RTL8139.DOS 10ec:8139 REALTEK\r\n", ""},
      {"\xCD\xF8\xBF\xA8", "E1000.DOS", nullptr, "CARD 002 E1000.DOS - E1000.DOS\r\n", ""},  // 网卡: not for DOS screens
      {"OTHER", "RTL8139.DOS", nullptr, "CARD 003 RTL8139.DOS - OTHER\r\n", ""},  // the same driver name, apart
      {"NEWER", "RTL8139NEW.DOS", nullptr, "", "8.3"},
      {"LONGNAME", "LONGNAME.DOS", nullptr, "", "LONGNAME$"},
  };
  for (const auto& c : cards) {
    Show(LayOutCard(c.folder, c.driver));
    if (c.inf != nullptr) WriteTestFile(library + "\\" + c.folder + "\\NET.INF", c.inf);
  }
  for (bool image : {false, true}) {
    SCOPED_TRACE(image ? "image" : "folder");
    Build(image);
    ASSERT_EQ(view.boxes.size(), 1u) << view.boxes[0].text;
    const std::string& text = view.boxes[0].text;
    EXPECT_EQ(view.boxes[0].caption, "创建成功");
    EXPECT_EQ(text.rfind(image ? "通用启动镜像创建成功！\n" : "通用启动盘创建成功！\n", 0), 0u) << text;
    EXPECT_NE(text.find("放了3块网卡：1块网卡的驱动程序包给出了PCI编号"), std::string::npos) << text;
    const std::string table = Medium(image, "NET\\TOVRELL.TXT");
    int folder = 0;
    for (const auto& c : cards) {
      if (*c.tableRow == '\0') {
        EXPECT_NE(text.find(c.folder + std::string("（第")), std::string::npos) << text;
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
        continue;
      }
      EXPECT_NE(table.find(c.tableRow), std::string::npos) << table;
      const std::string cardFolder = "NET\\CARDS\\00" + std::to_string(++folder) + "\\";
      EXPECT_EQ(Medium(image, cardFolder + c.driver), "driver " + std::string(c.driver));
      EXPECT_NE(Medium(image, cardFolder + "SYSTEM.INI").find("netcard=" + std::string(c.driver)), std::string::npos);
      EXPECT_NE(Medium(image, cardFolder + "PROTOCOL.INI").find("DriverName=" + cp936::BaseNameOf(c.driver) + "$\r\n"),
                std::string::npos);
    }
    // NET as a one-card medium for the first card, and the program run first.
    EXPECT_EQ(Medium(image, "NET\\RTL8139.DOS"), "driver RTL8139.DOS");
    EXPECT_EQ(Medium(image, "NET\\PROTOCOL.INI"), Medium(image, "NET\\CARDS\\001\\PROTOCOL.INI"));
    EXPECT_EQ(Medium(image, "NET\\TOVRELL.COM"), BootProgramBytes());
    EXPECT_EQ(Medium(image, "AUTOEXEC.BAT"), "@ECHO OFF\r\n\\NET\\TOVRELL.COM\r\n" + autoexec.substr(11));
  }
}

TEST_F(UniversalBuildTest, WorksFromAndIntoFoldersWithBackslashTrailBytesAndStopsAtAFileHeldOpen) {
  LayOutProgramFolder(temp / "\x9C\x5C\\\x94\x5C Tovrell");  // 淺 and 擻 end in 0x5C
  WriteTestFile(program + "\\BootDisk.img", MemoryFloppy(TemplateNetFiles(), {{"AUTOEXEC.BAT", autoexec}}));
  const std::string into = target / "\x9C\x5C";
  MakeTestFolders(into);
  for (const bool image : {false, true}) {
    view.boxes.clear();
    view.AnswerTargetPath(into);
    (image ? CreateUniversalImage : CreateUniversalUsb)(view, list, program);
    ASSERT_EQ(view.boxes.size(), 1u) << image;
    EXPECT_EQ(view.boxes[0].caption, "创建成功") << view.boxes[0].text;
  }
  EXPECT_TRUE(Exists(into + "\\BootDisk\\NET\\TOVRELL.COM"));
  EXPECT_NE(ReadTestFile(into + "\\BootDisk\\NET\\TOVRELL.TXT").find("CARD 003 "), std::string::npos);
  fat::Image built;
  std::string problem, table;
  ASSERT_TRUE(built.Open(ReadTestFile(into + "\\BootDisk.img"), &problem)) << problem;
  ASSERT_TRUE(built.ReadFile("NET\\TOVRELL.TXT", &table));
  EXPECT_EQ(table, ReadTestFile(into + "\\BootDisk\\NET\\TOVRELL.TXT"));

  // A file of the old folder held open: nothing is replaced, and it says so.
  WriteTestFile(into + "\\BootDisk\\OLD.TXT", "the stick's");
  auto lock = port::LockFile(into + "\\BootDisk\\OLD.TXT");
  view.boxes.clear();
  view.AnswerTargetPath(into);
  CreateUniversalUsb(view, list, program);
  ASSERT_FALSE(view.boxes.empty());
  EXPECT_NE(view.boxes.back().caption, "创建成功") << view.boxes.back().text;
  EXPECT_NE(view.boxes.back().text.find("OLD.TXT"), std::string::npos) << view.boxes.back().text;
  lock.reset();
  EXPECT_EQ(ReadTestFile(into + "\\BootDisk\\OLD.TXT"), "the stick's");
  EXPECT_EQ(ReadTestFile(into + "\\BootDisk\\NET\\TOVRELL.TXT"), table);
}

TEST_F(UniversalBuildTest, TheLineThatRunsTheProgramComesFirstAfterEchoOffAndKeepsEveryOtherByte) {
  const struct {
    const char* before;
    const char* after;
  } cases[] = {
      {"@ECHO OFF\r\nNET START\r\n", "@ECHO OFF\r\n\\NET\\TOVRELL.COM\r\nNET START\r\n"},
      {"  @echo off \nnet start\n", "  @echo off \n\\NET\\TOVRELL.COM\nnet start\n"},
      {"NET START\r\n", "\\NET\\TOVRELL.COM\r\nNET START\r\n"},
      {"@ECHO OFF", "@ECHO OFF\r\n\\NET\\TOVRELL.COM\r\n"},
      {"@ECHO OFF\r\n\x1A junk", "@ECHO OFF\r\n\\NET\\TOVRELL.COM\r\n\x1A junk"},
      {"@ECHO OFF\x1A", "@ECHO OFF\r\n\\NET\\TOVRELL.COM\r\n\x1A"},
      {"", "\\NET\\TOVRELL.COM\r\n"},
      {"@ECHO OFF\r\n\\net\\tovrell.com\r\n", "@ECHO OFF\r\n\\net\\tovrell.com\r\n"},  // there already
      {"CALL A:\\NET\\TOVRELL\r\n", "CALL A:\\NET\\TOVRELL\r\n"},
      {"@echo\t off\r\nX\r\n", "@echo\t off\r\n\\NET\\TOVRELL.COM\r\nX\r\n"},
      {"\xEF\xBB\xBF" "ECHO OFF\r\n", "\xEF\xBB\xBF" "ECHO OFF\r\n\\NET\\TOVRELL.COM\r\n"},
  };
  for (const auto& c : cases) {
    std::string bytes = c.before;
    AddBootProgramLine(&bytes);
    EXPECT_EQ(bytes, c.after) << testing::PrintToString(std::string(c.before));
  }
}

TEST_F(UniversalBuildTest, ATemplateOrLibraryThatCannotMakeTheMediumIsRefusedWithNothingWritten) {
  Show(LayOutCard("NEWER", "RTL8139NEW.DOS"));
  const std::string bootDisk = program + "\\BootDisk\\";
  // An image with 4 KB left for the medium, which needs more.
  fat::Image full;
  std::string problem;
  ASSERT_TRUE(full.Open(ReadTestFile(program + "\\BootDisk.img"), &problem));
  const TestFiles crowded = {{"AUTOEXEC.BAT", autoexec},
                             {"FILLER.BIN", std::string((full.FreeClusters() - 9) * full.ClusterBytes(), 'f')}};
  const struct {
    const char* what;
    bool image;
    std::function<void()> arrange;
    const char* mentioned;
  } cases[] = {
      {"no card can go on it", false, [] {}, "RTL8139NEW"},
      {"no AUTOEXEC.BAT", false, [&] { port::RemoveFile(bootDisk + "AUTOEXEC.BAT"); }, "AUTOEXEC.BAT"},
      {"a universal medium as template", false, [&] { MakeTestFolders(bootDisk + "NET\\cards"); }, "CARDS"},
      {"no AUTOEXEC.BAT in the image", true,
       [&] { WriteTestFile(program + "\\BootDisk.img", MemoryFloppy(TemplateNetFiles())); }, "AUTOEXEC.BAT"},
      {"no room in the image", true,
       [&] { WriteTestFile(program + "\\BootDisk.img", MemoryFloppy(TemplateNetFiles(), crowded)); }, "需要"},
      {"a file of the user's named BootDisk", false, [&] { WriteTestFile(target / "BootDisk", "mine"); }, "是一个文件"},
      // Each PC's own name is drawn by the boot program, which reads 16 KB.
      {"a SYSTEM.INI too big for the boot program", false,
       [&] { WriteTestFile(bootDisk + "NET\\SYSTEM.INI", "[network]\r\nnetcard=X.DOS\r\n;" + std::string(17000, 'x')); },
       "SYSTEM.INI"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RemoveTestTree(bootDisk);
    SetUp();
    Show(LayOutCard("NEWER", "RTL8139NEW.DOS"));
    if (std::string(c.what) != "no card can go on it") Show(LayOutCard("REALTEK", "RTL8139.DOS"));
    c.arrange();
    const Texts before = ListTree(target.path());
    Build(c.image);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_NE(view.boxes[0].text.find(c.mentioned), std::string::npos) << view.boxes[0].text;
    EXPECT_EQ(ListTree(target.path()), before);
    RemoveTestTree(target / "BootDisk");
  }
}

TEST_F(UniversalBuildTest, TheTableNeverOutgrowsWhatTheBootProgramReads) {
  // Long titles and many ids: the cards whose lines no longer fit are left
  // out, and the ids that fit are kept card by card.
  std::vector<BootTableCard> cards;
  for (int i = 0; i < 700; ++i) {
    cards.push_back({std::to_string(i + 1), "NIC.DOS", {{0x8086, static_cast<std::uint16_t>(i)}},
                     "Realtek RTL8139 Family PCI Fast Ethernet NIC " + std::to_string(i)});
  }
  BootTableFit fit;
  const std::string table = BootTableText(cards, "LAB", &fit);
  EXPECT_LE(table.size(), kBootTableMaxBytes);
  EXPECT_LT(fit.cards, cards.size());
  EXPECT_GT(fit.cards, 400u);
  EXPECT_LT(fit.idsLeftOut.size(), fit.cards);
  EXPECT_EQ(table.find("CARD 1 NIC.DOS 8086:0000 "), table.find("CARD 1 "));
}

TEST_F(UniversalBuildTest, TheNetworkBootFolderGetsAllCardsInOneImageAndBootsItByDefault) {
  Show(LayOutCard("REALTEK", "RTL8139.DOS"));
  Show(LayOutCard("INTEL", "E1000.DOS"));
  view.AnswerTargetPath(target.path());
  CreateNetbootFolder(view, list, program);
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_NE(view.boxes[0].text.find("ALL.IMG"), std::string::npos) << view.boxes[0].text;
  fat::Image all;
  std::string problem, table;
  ASSERT_TRUE(all.Open(ReadTestFile(target / "netboot\\ALL.IMG"), &problem)) << problem;
  ASSERT_TRUE(all.ReadFile("NET\\TOVRELL.TXT", &table));
  EXPECT_NE(table.find("CARD 002 E1000.DOS - INTEL\r\n"), std::string::npos) << table;
  const std::string menu = ReadTestFile(target / "netboot\\menu.cfg");
  EXPECT_NE(menu.find("TIMEOUT 300\n\nLABEL all\n  MENU LABEL Detect the network card\n  MENU DEFAULT\n  KERNEL "
                      "memdisk\n  INITRD netboot/ALL.IMG\n"),
            std::string::npos)
      << menu;
  EXPECT_EQ(menu.find("MENU DEFAULT"), menu.rfind("MENU DEFAULT"));
  EXPECT_NE(ReadTestFile(target / "netboot\\menu.ipxe").find("item all Detect the network card\nitem card1"),
            std::string::npos);
}

}  // namespace
