// Paths the plain Windows form cannot take: longer than 260 bytes, and card
// folders whose names end in a blank or a dot (made by another tool; the
// plain form trims "E100 " to "E100"). The POSIX port has neither limit, so
// natively these pass as a matter of course; under Wine they hold the Win32
// port to the long form.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bootdisk/boot_media_build.h"
#include "core/card_command_fixture.h"
#include "files/copy_tree.h"
#include "files/delete_tree.h"
#include "library/add_card.h"
#include "library/delete_card.h"
#include "library/program_folder.h"
#include "library/rename_card.h"
#include "library/scan_driver_library.h"
#include "port/file_system.h"
#include "window/card_commands.h"
#include "window/build_commands.h"

namespace {

using Strings = std::vector<std::string>;

Strings Sorted(Strings strings) {
  std::sort(strings.begin(), strings.end());
  return strings;
}

TEST(LongPath, ATreeReachingPast260BytesIsCopiedAndRemovedWhole) {
  TempFolder temp;
  Messages messages;
  const std::string source = temp / ("package\\" + LongTestPath('a', 120) + "\\" + LongTestPath('b', 120));
  const std::string deep = source + "\\" + LongTestPath('c', 60) + "\\DEEP.TXT";
  ASSERT_GT(deep.size(), 300u);
  WriteTestFile(source + "\\TOP.TXT", "top");
  WriteTestFile(deep, "deep");
  const std::string target = temp / ("copy\\" + LongTestPath('d', 200));
  MakeTestFolders(target);

  EXPECT_TRUE(CopyTree(source, target, &messages));
  EXPECT_EQ(messages, Strings{});
  EXPECT_EQ(ListTree(target), ListTree(source));
  EXPECT_EQ(ListTree(target).size(), 3u);
  EXPECT_EQ(ReadTestFile(target + "\\" + LongTestPath('c', 60) + "\\DEEP.TXT"), "deep");

  EXPECT_TRUE(DeleteTree(temp / "copy", &messages));
  EXPECT_EQ(messages, Strings{});
  EXPECT_FALSE(Exists(temp / "copy"));
  EXPECT_EQ(ReadTestFile(deep), "deep");
}

// The program deep in a folder (past the 233 bytes once refused), a
// package and a template whose paths pass 260 bytes.
class DeepProgramFolderTest : public CardCommandTest {
 protected:
  void SetUp() override {
    program = temp / LongTestPath('p', 239 - temp.path().size());
    library = program + "\\driver";
    ASSERT_EQ(program.size(), 240u);
    WriteTestFile(program + "\\BootDisk\\AUTOEXEC.BAT", "@ECHO OFF\r\n");
    WriteTestFile(program + "\\BootDisk\\NET\\NET.EXE", "client");
    WriteTestFile(program + "\\BootDisk\\NET\\SYSTEM.INI", "[network]\r\nnetcard=\r\n");
    WriteTestFile(program + "\\BootDisk\\NET\\PROTOCOL.INI", "[NIC]\r\nDriverName=\r\n");
    WriteTestFile(program + "\\BootDisk\\TOOLS\\" + LongTestPath('t', 40) + "\\UTIL.EXE", "util");
    WriteTestFile(package + "\\E1000.DOS", "E1000 driver");
    WriteTestFile(package + "\\PROTOCOL.INI", "[E1000]");
    WriteTestFile(package + "\\" + LongTestPath('r', 50) + "\\README.TXT", "readme");
  }

  TempFolder packages;
  std::string package = packages / (LongTestPath('k', 150) + "\\" + LongTestPath('m', 100));
  TempFolder target;
};

TEST_F(DeepProgramFolderTest, AddsScansBuildsAndDeletesCompletely) {
  view.AnswerDriver(package + "\\E1000.DOS", "PRO1000");
  AddCard(view, &list, program);
  EXPECT_EQ(view.BoxTexts(), Strings{});
  const std::string card = library + "\\PRO1000";
  EXPECT_EQ(ListTree(card), Sorted({"E1000.DOS", "E1000.INI", LongTestPath('r', 50) + "\\",
                                    LongTestPath('r', 50) + "\\README.TXT"}));
  EXPECT_EQ(ReadTestFile(card + "\\" + LongTestPath('r', 50) + "\\README.TXT"), "readme");

  CardList scanned;
  ScanDriverLibrary(LibraryFolderOf(program), &scanned);
  ASSERT_EQ(scanned.Count(), 1);
  EXPECT_EQ(scanned.FindByRow(0)->driverPath, card + "\\E1000.DOS");

  view.selected = 0;
  view.AnswerTargetPath(target.path());
  CreateUsbDisk(view, list, program);
  EXPECT_EQ(view.BoxTexts(), Strings{"U盘目录创建成功！"});
  Strings expected = ListTree(program + "\\BootDisk");
  expected.push_back("NET\\E1000.DOS");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ListTree(target / "BootDisk"), expected);
  EXPECT_EQ(ReadTestFile(target / ("BootDisk\\TOOLS\\" + LongTestPath('t', 40) + "\\UTIL.EXE")), "util");

  // The medium of every card takes the same deep template and replaces the
  // stick's folder whole once it is complete.
  view.boxes.clear();
  view.AnswerTargetPath(target.path());
  CreateUniversalUsb(view, list, program);
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].text.rfind("通用启动盘创建成功！", 0), 0u) << view.boxes[0].text;
  EXPECT_EQ(ReadTestFile(target / ("BootDisk\\TOOLS\\" + LongTestPath('t', 40) + "\\UTIL.EXE")), "util");
  EXPECT_TRUE(Exists(target / "BootDisk\\NET\\TOVRELL.COM"));
  EXPECT_TRUE(Exists(target / "BootDisk\\NET\\TOVRELL.TXT"));

  view.boxes.clear();
  DeleteCard(view, &list, program);
  EXPECT_EQ(view.BoxTexts(), Strings{});
  // The package's sub-folder keeps the card folder; the card's own files go.
  EXPECT_EQ(ListTree(card), Sorted({LongTestPath('r', 50) + "\\", LongTestPath('r', 50) + "\\README.TXT"}));
  EXPECT_TRUE(view.rows.empty());
}

// A card folder named with a trailing blank or dot beside one named
// without it: each command acts on the folder of its row only.
class TrimmedNameTest : public CardCommandTest {
 protected:
  // Lays out E100 and `oddName`, each with E100B.DOS, shown in that order.
  void LayOut(const std::string& oddName) {
    RemoveTestTree(library);
    list.Clear();
    view.rows.clear();
    view.boxes.clear();
    Show(LayOutCard("E100", "E100B.DOS"));
    Show(LayOutCard(oddName, "E100B.DOS"));
    WriteTestFile(library + "\\" + oddName + "\\ODD.TXT", "only in " + oddName);
    ASSERT_EQ(ListTree(library), Sorted({"E100\\", "E100\\E100B.DOS", "E100\\E100B.INI", oddName + "\\",
                                         oddName + "\\E100B.DOS", oddName + "\\E100B.INI", oddName + "\\ODD.TXT"}));
  }

  Strings SiblingOnly() const { return {"E100\\", "E100\\E100B.DOS", "E100\\E100B.INI"}; }
};

TEST_F(TrimmedNameTest, DeleteAndRenameActOnTheExactFolder) {
  for (const std::string oddName : {"E100 ", "E100.", "E100. ."}) {
    LayOut(oddName);
    view.selected = 1;
    DeleteCard(view, &list, program);
    EXPECT_EQ(view.BoxTexts(), Strings{}) << oddName;
    EXPECT_EQ(ListTree(library), SiblingOnly()) << oddName;
    EXPECT_EQ(view.rows, Strings{"E100"}) << oddName;

    LayOut(oddName);
    view.selected = 1;
    view.AnswerNewName("Intel");
    RenameCard(view, &list, program);
    EXPECT_EQ(view.BoxTexts(), Strings{}) << oddName;
    EXPECT_EQ(ListTree(library), (Strings{"E100\\", "E100\\E100B.DOS", "E100\\E100B.INI", "Intel\\",
                                          "Intel\\E100B.DOS", "Intel\\E100B.INI", "Intel\\ODD.TXT"}))
        << oddName;

    // The sibling's name is taken: refused, both stay.
    LayOut(oddName);
    const Strings before = ListTree(library);
    view.selected = 1;
    view.AnswerNewName("E100");
    RenameCard(view, &list, program);
    ASSERT_EQ(view.boxes.size(), 1u) << oddName;
    EXPECT_EQ(view.boxes[0].caption, "修改错误");
    EXPECT_EQ(ListTree(library), before) << oddName;
  }
}

}  // namespace

namespace {

TEST_F(TrimmedNameTest, AddAndBuildTakeTypedPathsExactly) {
  // A package folder "PKG." beside "PKG", and a target "OUT " beside "OUT".
  for (const std::string name : {"PKG", "PKG."}) {
    WriteTestFile(temp / ("packages\\" + name + "\\E1000.DOS"), "driver of " + name);
  }
  view.AnswerDriver(temp / "packages\\PKG.\\E1000.DOS", "PRO1000");
  AddCard(view, &list, program);
  EXPECT_EQ(view.BoxTexts(), Strings{});
  EXPECT_EQ(ReadTestFile(library + "\\PRO1000\\E1000.DOS"), "driver of PKG.");

  WriteTestFile(program + "\\BootDisk\\NET\\SYSTEM.INI", "[network]\r\nnetcard=\r\n");
  WriteTestFile(program + "\\BootDisk\\NET\\PROTOCOL.INI", "[NIC]\r\nDriverName=\r\n");
  MakeTestFolders(temp / "OUT");
  MakeTestFolders(temp / "OUT ");
  view.selected = 0;
  view.AnswerTargetPath(temp / "OUT ");
  CreateNetDir(view, list, program);
  EXPECT_EQ(view.BoxTexts(), Strings{"NET目录创建成功！"});
  EXPECT_EQ(ReadTestFile(temp / "OUT \\NET\\E1000.DOS"), "driver of PKG.");
  EXPECT_FALSE(Exists(temp / "OUT\\NET"));
}

}  // namespace
