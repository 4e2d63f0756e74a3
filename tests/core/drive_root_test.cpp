// The program at the root of a drive: its program folder is the bare drive
// "R:" (R:\Tovrell.exe cut at its last backslash), and the current folder
// lies anywhere on R:, as the add-driver search leaves it. Builds go onto
// the root of another drive, typed "T:" or "T:\", or relative to the
// current folder.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "bootdisk/boot_image_build.h"
#include "bootdisk/boot_media_build.h"
#include "core/card_command_fixture.h"
#include "fat/image.h"
#include "library/add_card.h"
#include "netboot/netboot_build.h"
#include "library/delete_card.h"
#include "library/rename_card.h"
#include "port/file_system.h"
#include "support/fat_test_image.h"
#include "support/test_drive.h"
#include "window/card_commands.h"
#include "window/build_commands.h"

namespace {

using Strings = std::vector<std::string>;

class DriveRootTest : public CardCommandTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(programDrive.problem(), "");
    ASSERT_EQ(targetDrive.problem(), "");
    savedCurrentFolder = port::CurrentFolder();
    program = programDrive.bare();
    library = programDrive / "driver";
    WriteTestFile(programDrive / "BootDisk\\AUTOEXEC.BAT", "@ECHO OFF\r\n");
    WriteTestFile(programDrive / "BootDisk\\NET\\NET.EXE", "client");
    WriteTestFile(programDrive / "BootDisk\\NET\\SYSTEM.INI", "[network]\r\nnetcard=\r\n");
    WriteTestFile(programDrive / "BootDisk\\NET\\PROTOCOL.INI", "[NIC]\r\nDriverName=\r\n");
    Show(LayOutCard("E100", "E100B.DOS"));
    WriteTestFile(programDrive / "pkg\\DOS\\E1000.DOS", "E1000 driver");
    WriteTestFile(programDrive / "pkg\\DOS\\PROTOCOL.INI", "[E1000]");
  }
  void TearDown() override { port::SetCurrentFolder(savedCurrentFolder); }

  void Build(bool usb, const std::string& targetPath) {
    view.selected = 0;
    view.boxes.clear();
    view.AnswerTargetPath(targetPath);
    if (usb) {
      CreateUsbDisk(view, list, program);
    } else {
      CreateNetDir(view, list, program);
    }
  }

  TestDrive programDrive{'R'};
  TestDrive targetDrive{'T'};
  std::string savedCurrentFolder;
  // Where the add-driver search leaves the current folder.
  std::string package = programDrive / "pkg\\DOS";
};

TEST_F(DriveRootTest, AddsFromAPackageOnTheProgramsDriveWhereverTheCurrentFolderIs) {
  const std::string currentFolders[] = {package, programDrive / "pkg", programDrive / "driver\\E100",
                                        programDrive.root()};
  int n = 0;
  for (const std::string& current : currentFolders) {
    ASSERT_TRUE(port::SetCurrentFolder(current)) << current;
    const std::string card = "PRO" + std::to_string(++n);
    view.boxes.clear();
    view.AnswerDriver(package + "\\E1000.DOS", card);
    AddCard(view, &list, program);
    EXPECT_EQ(view.BoxTexts(), Strings{}) << current;
    EXPECT_EQ(ListTree(library + "\\" + card), (Strings{"E1000.DOS", "E1000.INI"})) << current;
    ASSERT_EQ(list.Count(), n + 1);
    EXPECT_EQ(list.FindByRow(n)->driverPath, library + "\\" + card + "\\E1000.DOS");
  }
  ExpectRowsPaired();
}

TEST_F(DriveRootTest, APackageFolderHoldingTheProgramIsStillRefused) {
  // The driver in the drive's root: copying R:\ would copy the library into
  // itself.
  WriteTestFile(programDrive / "ROOT.DOS", "driver in the root");
  for (const std::string& current : {package, programDrive.root()}) {
    ASSERT_TRUE(port::SetCurrentFolder(current));
    const State before = Now();
    const Strings libraryBefore = ListTree(library);
    view.boxes.clear();
    view.AnswerDriver(programDrive / "ROOT.DOS", "Root");
    AddCard(view, &list, program);
    ASSERT_EQ(view.boxes.size(), 1u) << current;
    EXPECT_EQ(view.boxes[0].caption, "添加错误");
    EXPECT_TRUE(Now() == before);
    EXPECT_EQ(ListTree(library), libraryBefore);
  }
}

TEST_F(DriveRootTest, BuildsOntoADriveRootHoweverItIsTyped) {
  ASSERT_TRUE(port::SetCurrentFolder(package));
  MakeTestFolders(targetDrive / "media");
  const struct {
    bool usb;
    std::string targetPath;
    std::string buildFolder;
  } builds[] = {
      {false, targetDrive.bare(), targetDrive / "NET"},
      {false, targetDrive.root(), targetDrive / "NET"},
      {true, targetDrive.bare(), targetDrive / "BootDisk"},
      {true, targetDrive.root(), targetDrive / "BootDisk"},
      {false, targetDrive / "media", targetDrive / "media\\NET"},
      {false, "\\", programDrive / "NET"},  // the root of the current folder's drive
      {false, programDrive.bare(), programDrive / "NET"},  // beside the program: harmless
      {false, programDrive.root(), programDrive / "NET"},
  };
  for (const auto& b : builds) {
    Build(b.usb, b.targetPath);
    EXPECT_EQ(view.BoxTexts(), Strings{b.usb ? "U盘目录创建成功！" : "NET目录创建成功！"}) << b.targetPath;
    const std::string net = b.usb ? b.buildFolder + "\\NET" : b.buildFolder;
    EXPECT_EQ(ListTree(net), (Strings{"E100B.DOS", "NET.EXE", "PROTOCOL.INI", "SYSTEM.INI"})) << b.targetPath;
    EXPECT_EQ(ReadTestFile(net + "\\SYSTEM.INI"), "[network]\r\nnetcard=E100B.DOS\r\n") << b.targetPath;
  }
  EXPECT_EQ(ListTree(programDrive / "BootDisk"),
            (Strings{"AUTOEXEC.BAT", "NET\\", "NET\\NET.EXE", "NET\\PROTOCOL.INI", "NET\\SYSTEM.INI"}));
}

TEST_F(DriveRootTest, ABuildOntoTheTemplateIsRefusedWithItsFullPath) {
  ASSERT_TRUE(port::SetCurrentFolder(package));
  for (const std::string& target :
       {programDrive.bare(), programDrive.root(), std::string("\\"), "\\\\?\\" + programDrive.root()}) {
    Build(true, target);  // the build folder R:\BootDisk would be the template
    ASSERT_EQ(view.boxes.size(), 1u) << target;
    EXPECT_EQ(view.boxes[0].caption, "创建错误");
    EXPECT_NE(view.boxes[0].text.find(programDrive / "BootDisk"), std::string::npos) << view.boxes[0].text;
    EXPECT_EQ(view.boxes[0].text.find("\\\\"), std::string::npos) << view.boxes[0].text;
    EXPECT_EQ(ReadTestFile(programDrive / "BootDisk\\NET\\SYSTEM.INI"), "[network]\r\nnetcard=\r\n");
  }
}

TEST_F(DriveRootTest, MessagesNameTheBuildFolderByItsFullPath) {
  MakeTestFolders(targetDrive / "media");
  const struct {
    std::string currentFolder;
    std::string targetPath;
    std::string buildFolder;
  } builds[] = {
      {package, targetDrive.bare(), targetDrive / "NET"},
      {package, targetDrive.root(), targetDrive / "NET"},
      {package, targetDrive.root() + "\\", targetDrive / "NET"},
      {targetDrive.root(), "media", targetDrive / "media\\NET"},            // relative to the current folder
      {targetDrive / "media", "..\\media\\", targetDrive / "media\\NET"},
  };
  for (const auto& b : builds) {
    ASSERT_TRUE(port::SetCurrentFolder(b.currentFolder));
    Build(false, b.targetPath);
    ASSERT_EQ(view.BoxTexts(), Strings{"NET目录创建成功！"}) << b.targetPath;
    // A file another program holds open cannot be removed by the next build.
    std::unique_ptr<port::LockedFile> lock = port::LockFile(b.buildFolder + "\\NET.EXE");
    ASSERT_NE(lock, nullptr);
    Build(false, b.targetPath);
    ASSERT_FALSE(view.boxes.empty()) << b.targetPath;
    EXPECT_EQ(view.boxes[0].text, "删除文件" + b.buildFolder + "\\NET.EXE失败！") << b.targetPath;
    for (const ShownBox& box : view.boxes) {
      EXPECT_NE(box.caption, "创建成功") << b.targetPath;
      EXPECT_EQ(box.text.find("\\\\"), std::string::npos) << box.text;
    }
  }
}

TEST_F(DriveRootTest, DeletesAndRenamesCardsOfALibraryInTheDrivesRoot) {
  Show(LayOutCard("RTL", "RTL8139.DOS"));
  ASSERT_TRUE(port::SetCurrentFolder(package));
  view.selected = 0;
  view.AnswerNewName("Intel");
  RenameCard(view, &list, program);
  EXPECT_EQ(view.BoxTexts(), Strings{});
  EXPECT_EQ(ListTree(library), (Strings{"Intel\\", "Intel\\E100B.DOS", "Intel\\E100B.INI", "RTL\\",
                                        "RTL\\RTL8139.DOS", "RTL\\RTL8139.INI"}));
  view.selected = RowOf("RTL");
  DeleteCard(view, &list, program);
  EXPECT_EQ(view.BoxTexts(), Strings{});
  EXPECT_EQ(ListTree(library), (Strings{"Intel\\", "Intel\\E100B.DOS", "Intel\\E100B.INI"}));
  EXPECT_EQ(view.rows, Strings{"Intel"});
  ExpectRowsPaired();
}

TEST_F(DriveRootTest, ImagesTheNetworkBootFolderAndTheMediaOfEveryCardGoOntoADriveRootButNeverOverTheTemplateImage) {
  ASSERT_TRUE(port::SetCurrentFolder(package));
  const std::string templateImage = MemoryFloppy(
      {{"SYSTEM.INI", "[network]\r\nnetcard=\r\n"}, {"PROTOCOL.INI", "[NIC]\r\nDriverName=\r\n"}},
      {{"AUTOEXEC.BAT", "@ECHO OFF\r\n"}});
  WriteTestFile(programDrive / "BootDisk.img", templateImage);
  view.selected = 0;
  for (const std::string& target : {targetDrive.bare(), targetDrive.root(), targetDrive.root() + "\\"}) {
    port::RemoveFile(targetDrive / "BootDisk.img");
    view.boxes.clear();
    view.AnswerTargetPath(target);
    CreateBootImage(view, list, program);
    EXPECT_EQ(view.BoxTexts(), Strings{"启动镜像创建成功！"}) << target;
    fat::Image image;
    std::string problem;
    ASSERT_TRUE(image.Open(ReadTestFile(targetDrive / "BootDisk.img"), &problem)) << problem;
    std::string systemIni;
    ASSERT_TRUE(image.ReadFile("NET\\SYSTEM.INI", &systemIni));
    EXPECT_EQ(systemIni, "[network]\r\nnetcard=E100B.DOS\r\n") << target;
    RemoveTestTree(targetDrive / "netboot");
    view.AnswerTargetPath(target);
    CreateNetbootFolder(view, list, program);
    EXPECT_EQ(view.boxes.back().caption, "创建成功") << target;
    EXPECT_TRUE(Exists(targetDrive / "netboot\\E100B.IMG")) << target;
    // The media of every card, put in place beside what they replace.
    for (const auto build : {CreateUniversalImage, CreateUniversalUsb}) {
      view.AnswerTargetPath(target);
      build(view, list, program);
      EXPECT_EQ(view.boxes.back().caption, "创建成功") << target << view.boxes.back().text;
    }
    EXPECT_TRUE(Exists(targetDrive / "BootDisk\\NET\\TOVRELL.COM")) << target;
    ASSERT_TRUE(image.Open(ReadTestFile(targetDrive / "BootDisk.img"), &problem)) << problem;
    EXPECT_EQ(image.Find("NET\\TOVRELL.COM"), fat::Image::Entry::kFile) << target;
    RemoveTestTree(targetDrive / "BootDisk");
  }
  // The program's own drive: its root is the program folder.
  for (const std::string& target : {programDrive.bare(), programDrive.root()}) {
    view.boxes.clear();
    view.AnswerTargetPath(target);
    CreateBootImage(view, list, program);
    ASSERT_EQ(view.boxes.size(), 1u) << target;
    EXPECT_EQ(view.boxes[0].caption, "创建错误");
    EXPECT_NE(view.boxes[0].text.find(programDrive / "BootDisk.img"), std::string::npos) << view.boxes[0].text;
    EXPECT_EQ(ReadTestFile(programDrive / "BootDisk.img"), templateImage);
  }
}

}  // namespace
