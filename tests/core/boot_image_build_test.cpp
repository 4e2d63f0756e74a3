#include "bootdisk/boot_image_build.h"
#include "bootdisk/card_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "bootdisk/boot_media_build.h"
#include "netboot/netboot_build.h"
#include "card_command_fixture.h"
#include "fat/dos_name.h"
#include "fat/image.h"
#include "files/path_location.h"
#include "port/file_system.h"
#include "support/fat_test_image.h"
#include "window/build_commands.h"

namespace {

using Texts = std::vector<std::string>;

class BootImageBuildTest : public SampleProgramTest {
 protected:
  // The sample program folder and a template image whose NET holds the
  // template folder's NET files.
  void LayOutProgramFolder(const std::string& folder) override {
    SampleProgramTest::LayOutProgramFolder(folder);
    templateImage = program + "\\BootDisk.img";
    WriteTestFile(templateImage, MemoryFloppy(TemplateNetFiles(), {{"AUTOEXEC.BAT", "@ECHO OFF\r\n"}}));
  }

  // A template image with the template folder's NET files, `name` holding
  // `content`.
  std::string WithNetFile(const std::string& name, const std::string& content) const {
    TestFiles files = TemplateNetFiles(name);
    files.push_back({name, content});
    return MemoryFloppy(files);
  }

  void Build(int row, const std::string& targetPath) {
    view.selected = row;
    view.boxes.clear();
    view.listFocused = false;
    view.AnswerTargetPath(targetPath);
    CreateBootImage(view, list, program);
  }

  void ExpectSuccess() const {
    ASSERT_EQ(view.BoxTexts(), Texts{"启动镜像创建成功！"});
    EXPECT_EQ(view.boxes[0].kind, ShownBox::kMessage);
    EXPECT_EQ(view.boxes[0].caption, "创建成功");
    EXPECT_TRUE(view.listFocused);
  }

  // One refusal, of the handler's own ("创建错误") or of file work, and no
  // image (nor a temporary one) in `targetPath`.
  void ExpectRefused(const std::string& targetPath, ShownBox::Kind kind, const std::string& mentioned) const {
    ASSERT_EQ(view.boxes.size(), 1u) << ::testing::PrintToString(view.BoxTexts());
    EXPECT_EQ(view.boxes[0].kind, kind) << view.boxes[0].text;
    if (kind == ShownBox::kMessage) {
      EXPECT_EQ(view.boxes[0].caption, "创建错误");
    }
    EXPECT_NE(view.boxes[0].text.find(mentioned), std::string::npos) << view.boxes[0].text;
    // (With the program folder as target, BootDisk.img there is the template.)
    if (!IsSameLocation(targetPath + "\\BootDisk.img", templateImage)) {
      EXPECT_FALSE(Exists(targetPath + "\\BootDisk.img"));
    }
    EXPECT_FALSE(Exists(targetPath + "\\BootDisk.img.tmp"));
  }

  // The image's NET files are those of a NET folder build for the same card
  // from the template folder, byte for byte.
  void ExpectNetLikeFolderBuild(const std::string& imagePath, int row) {
    TempFolder folderBuild;
    const std::vector<ShownBox> boxes = view.boxes;
    view.selected = row;
    view.AnswerTargetPath(folderBuild.path());
    CreateNetDir(view, list, program);
    ASSERT_EQ(view.boxes.size(), boxes.size() + 1);
    ASSERT_EQ(view.boxes.back().text, "NET目录创建成功！");
    view.boxes = boxes;

    fat::Image image;
    std::string problem;
    ASSERT_TRUE(image.Open(ReadTestFile(imagePath), &problem)) << problem;
    for (const std::string& name : ListTree(folderBuild / "NET")) {
      std::string content;
      ASSERT_TRUE(image.ReadFile("NET\\" + name, &content)) << name;
      EXPECT_EQ(content, ReadTestFile(folderBuild / "NET\\" + name)) << name;
    }
  }

  // The network boot folder built into `targetPath` holds for the card of
  // `row` an image whose NET files are those of <targetPath>\BootDisk.img.
  void ExpectNetbootImageLikeIt(const std::string& targetPath, int row) {
    view.AnswerTargetPath(targetPath);
    CreateNetbootFolder(view, list, program);
    ASSERT_EQ(view.boxes.back().caption, "创建成功") << view.boxes.back().text;
    const std::string driver = cp936::FileNameOf(list.FindByRow(row)->driverPath);
    fat::Image single, card;
    std::string problem, a, b;
    ASSERT_TRUE(single.Open(ReadTestFile(targetPath + "\\BootDisk.img"), &problem)) << problem;
    ASSERT_TRUE(card.Open(ReadTestFile(targetPath + "\\netboot\\" + cp936::BaseNameOf(driver) + ".IMG"), &problem));
    for (const std::string& name : {driver, std::string("SYSTEM.INI"), std::string("PROTOCOL.INI")}) {
      EXPECT_TRUE(single.ReadFile("NET\\" + name, &a) && card.ReadFile("NET\\" + name, &b) && a == b) << name;
    }
  }

  TempFolder target;
  std::string templateImage;
};

TEST_F(BootImageBuildTest, WritesTheTemplateImageSetUpForTheCard) {
  const std::string before = ReadTestFile(templateImage);
  Build(0, target.path());
  ExpectSuccess();
  EXPECT_EQ(ListTree(target.path()), Texts{"BootDisk.img"});
  const std::string built = ReadTestFile(target / "BootDisk.img");
  ASSERT_EQ(built.size(), before.size());
  EXPECT_EQ(ReadTestFile(templateImage), before);
  ExpectNetLikeFolderBuild(target / "BootDisk.img", 0);
  // Boot sector and root folder as they were; both FATs alike.
  EXPECT_EQ(built.substr(0, kFloppyFat), before.substr(0, kFloppyFat));
  EXPECT_EQ(built.substr(kFloppyRoot, 224 * 32), before.substr(kFloppyRoot, 224 * 32));
  EXPECT_EQ(built.substr(kFloppyFat, kFloppyFatBytes), built.substr(kFloppyFat + kFloppyFatBytes, kFloppyFatBytes));
}

TEST_F(BootImageBuildTest, ASecondBuildReplacesTheImageWhole) {
  WriteTestFile(target / "KEEP.TXT", "outside the build");
  WriteTestFile(target / "BootDisk.img.tmp", "a file of the user's");
  Build(0, target.path());
  ExpectSuccess();
  Build(1, target.path() + "\\");  // a trailing backslash doubles at the join and works the same
  ExpectSuccess();
  ExpectNetLikeFolderBuild(target / "BootDisk.img", 1);
  fat::Image image;
  std::string problem;
  ASSERT_TRUE(image.Open(ReadTestFile(target / "BootDisk.img"), &problem)) << problem;
  EXPECT_EQ(image.Find("NET\\E100B.DOS"), fat::Image::Entry::kMissing);
  EXPECT_EQ(ListTree(target.path()), (Texts{"BootDisk.img", "BootDisk.img.tmp", "KEEP.TXT"}));
  EXPECT_EQ(ReadTestFile(target / "KEEP.TXT"), "outside the build");
  EXPECT_EQ(ReadTestFile(target / "BootDisk.img.tmp"), "a file of the user's");
}

TEST_F(BootImageBuildTest, WorksFromAFolderWithBackslashTrailBytesAndAReadOnlyTemplate) {
  LayOutProgramFolder(temp / "\x9C\x5C\\\x94\x5C Tovrell");  // 淺 and 擻 end in 0x5C
  ASSERT_TRUE(port::SetAttributes(templateImage, port::kAttrReadOnly));
  const std::string before = ReadTestFile(templateImage);
  MakeTestFolders(target / "\x9C\x5C");
  Build(2, target / "\x9C\x5C");
  ExpectSuccess();
  ExpectNetLikeFolderBuild(target / "\x9C\x5C\\BootDisk.img", 2);
  ExpectNetbootImageLikeIt(target / "\x9C\x5C", 2);
  EXPECT_EQ(ReadTestFile(templateImage), before);
  EXPECT_NE(port::GetAttributes(templateImage) & port::kAttrReadOnly, 0u);
}

TEST_F(BootImageBuildTest, EveryRefusalLeavesNoImageAndTheTemplateUnchanged) {
  const std::string good = ReadTestFile(templateImage);
  std::string noNet = good;
  noNet.replace(kFloppyRoot + 32, 3, "NOT");
  std::string full;
  {
    // The files and a filler leaving not a cluster free.
    fat::Image image;
    std::string problem;
    ASSERT_TRUE(image.Open(good, &problem)) << problem;
    ASSERT_TRUE(image.WriteFile("FILLER.BIN", std::string(image.FreeClusters() * 512, 'f'),
                                fat::MakeDosStamp(2001, 1, 1, 0, 0, 0), &problem))
        << problem;
    full = image.bytes();
  }
  const std::string longName = LayOutCard("RTL8139NEW", "RTL8139NEW.DOS");
  Show(longName);
  const int longNameRow = list.Count() - 1;
  struct Case {
    const char* what;
    std::string image;  // "" : no template image
    int row;
    std::string targetPath;
    ShownBox::Kind kind;
    std::string mentioned;
  };
  const Case cases[] = {
      {"no template image", "", 0, target.path(), ShownBox::kMessage, "BootDisk.img"},
      {"not a disk image", "[network drivers]\r\nnetcard=\r\n", 0, target.path(), ShownBox::kMessage, "FAT12/FAT16"},
      {"a file far bigger than a floppy", good + std::string(fat::Image::kMaxImageBytes, '\0'), 0, target.path(),
       ShownBox::kMessage, "32MB"},
      {"a file just over the largest taken (its size rounded up)", std::string(fat::Image::kMaxImageBytes + 1, '\0'),
       0, target.path(), ShownBox::kMessage, "有33MB"},
      {"a FAT too small for its volume", good.substr(0, 22) + "\x01" + good.substr(23), 0, target.path(),
       ShownBox::kMessage, "FAT"},
      {"a truncated image", good.substr(0, good.size() / 2), 0, target.path(), ShownBox::kMessage, "短"},
      {"no NET folder", noNet, 0, target.path(), ShownBox::kMessage, "NET"},
      {"no SYSTEM.INI", MemoryFloppy(TemplateNetFiles("SYSTEM.INI")), 0, target.path(), ShownBox::kMessage, "SYSTEM.INI"},
      {"no PROTOCOL.INI", MemoryFloppy(TemplateNetFiles("PROTOCOL.INI")), 0, target.path(), ShownBox::kMessage,
       "PROTOCOL.INI"},
      {"no line the client reads as netcard", WithNetFile("SYSTEM.INI", "; netcard=OLD.DOS\r\n"), 0,
       target.path(), ShownBox::kMessage, "SYSTEM.INI没有netcard=行"},
      {"no card section", WithNetFile("PROTOCOL.INI", "[PROTMAN]\r\nDriverName=PROTMAN$\r\n"), 0, target.path(),
       ShownBox::kMessage, "PROTOCOL.INI没有网卡的节"},
      {"a driver name DOS cannot load", good, longNameRow, target.path(), ShownBox::kMessage, "RTL8139NEW.DOS"},
      {"no free space", full, 0, target.path(), ShownBox::kMessage, "空间放\\NET\\E100B.DOS（需要73字节，只剩0字节）"},
      {"no card selected", good, -1, target.path(), ShownBox::kAppMessage, "网卡"},
      {"a target that does not exist", good, 0, target / "missing", ShownBox::kAppMessage, "missing"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    port::RemoveFile(templateImage);
    if (!c.image.empty()) WriteTestFile(templateImage, c.image);
    const Texts libraryBefore = ListTree(library);
    const Texts templateFolder = ListTree(program + "\\BootDisk");
    Build(c.row, c.targetPath);
    ExpectRefused(c.targetPath, c.kind, c.mentioned);
    EXPECT_EQ(ReadTestFile(templateImage), c.image.empty() ? "<missing>" : c.image);
    EXPECT_EQ(ListTree(library), libraryBefore);
    EXPECT_EQ(ListTree(program + "\\BootDisk"), templateFolder);
  }
  EXPECT_FALSE(Exists(target / "missing"));

  // A folder named BootDisk.img is no template.
  port::RemoveFile(templateImage);
  MakeTestFolders(templateImage);
  Build(0, target.path());
  ExpectRefused(target.path(), ShownBox::kMessage, "BootDisk.img");
}

// `bytes` (a MemoryFloppy) with NET's file `stored` (its 11-byte name, one
// cluster long) made into an empty folder in the cluster the file had.
std::string WithFileAsFolder(std::string bytes, const std::string& stored) {
  const std::size_t net = kFloppyRoot + 14 * 512;  // cluster 2, NET's
  for (std::size_t slot = net; slot < net + 512; slot += 32) {
    if (bytes.compare(slot, 11, stored) != 0) continue;
    const std::uint32_t cluster = Le16At(bytes, slot + 26);
    bytes[slot + 11] = 0x10;
    bytes.replace(slot + 28, 4, std::string(4, '\0'));
    std::string dots(512, '\0');
    dots.replace(0, 11, ".          ");
    dots[11] = 0x10;
    dots[26] = static_cast<char>(cluster & 0xFF);
    dots[27] = static_cast<char>(cluster >> 8);
    dots.replace(32, 11, "..         ");
    dots[43] = 0x10;
    dots[58] = 2;
    bytes.replace(net + (cluster - 2) * 512, 512, dots);
  }
  return bytes;
}

TEST_F(BootImageBuildTest, AFolderWhereAFileGoesIsNamedAsSuchNotAsLackOfSpace) {
  const struct {
    const char* name;
    const char* stored;
  } cases[] = {{"E100B.DOS", "E100B   DOS"}, {"SYSTEM.INI", "SYSTEM  INI"}, {"PROTOCOL.INI", "PROTOCOLINI"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestFiles files = TemplateNetFiles(c.name);
    files.push_back({c.name, "x"});
    const std::string bytes = WithFileAsFolder(MemoryFloppy(files), c.stored);
    fat::Image image;
    std::string problem;
    ASSERT_TRUE(image.Open(bytes, &problem)) << problem;
    ASSERT_EQ(image.Find(std::string("NET\\") + c.name), fat::Image::Entry::kFolder);
    WriteTestFile(templateImage, bytes);
    Build(0, target.path());
    ExpectRefused(target.path(), ShownBox::kMessage, std::string("NET文件夹中的") + c.name + "是文件夹");
    EXPECT_EQ(view.boxes[0].text.find("空间"), std::string::npos) << view.boxes[0].text;
    EXPECT_EQ(ReadTestFile(templateImage), bytes);
  }
}

TEST_F(BootImageBuildTest, ATargetPathLongerThan260BytesGetsAWholeImage) {
  std::string deep = target.path();
  while (deep.size() < 300) deep += "\\a folder name of some length";
  MakeTestFolders(deep);
  if (!IsFolder(deep)) GTEST_SKIP() << "this port cannot make folders that deep";
  Build(0, deep);
  ExpectSuccess();
  ExpectNetLikeFolderBuild(deep + "\\BootDisk.img", 0);
  EXPECT_EQ(ListTree(deep), Texts{"BootDisk.img"});
  ExpectNetbootImageLikeIt(deep, 0);
}

TEST_F(BootImageBuildTest, AnImageThatCannotBeReplacedKeepsItsContent) {
  WriteTestFile(target / "BootDisk.img", "an older image");
  ASSERT_TRUE(port::SetAttributes(target / "BootDisk.img", port::kAttrReadOnly));
  Build(0, target.path());
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].kind, ShownBox::kAppMessage);
  EXPECT_EQ(ReadTestFile(target / "BootDisk.img"), "an older image");
  EXPECT_EQ(ListTree(target.path()), Texts{"BootDisk.img"});

  port::SetAttributes(target / "BootDisk.img", port::kAttrNormal);
  {
    const std::unique_ptr<port::LockedFile> held = port::LockFile(target / "BootDisk.img");
    ASSERT_NE(held, nullptr);
    Build(0, target.path());
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].kind, ShownBox::kAppMessage);
  }
  EXPECT_EQ(ReadTestFile(target / "BootDisk.img"), "an older image");
  EXPECT_EQ(ListTree(target.path()), Texts{"BootDisk.img"});

  Build(0, target.path());  // once free, it is replaced
  ExpectSuccess();
  ExpectNetLikeFolderBuild(target / "BootDisk.img", 0);
}

TEST_F(BootImageBuildTest, AFolderNamedBootDiskImgInTheTargetIsKeptWithItsContent) {
  WriteTestFile(target / "BootDisk.img\\KEEP.TXT", "the user's");
  Build(0, target.path());
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].kind, ShownBox::kAppMessage);
  EXPECT_NE(view.boxes[0].text.find("BootDisk.img"), std::string::npos) << view.boxes[0].text;
  EXPECT_EQ(ListTree(target.path()), (Texts{"BootDisk.img\\", "BootDisk.img\\KEEP.TXT"}));
  EXPECT_EQ(ReadTestFile(target / "BootDisk.img\\KEEP.TXT"), "the user's");
}

TEST_F(BootImageBuildTest, ATemplateHeldOpenElsewhereIsReportedAndKept) {
  const std::string before = ReadTestFile(templateImage);
  {
    const std::unique_ptr<port::LockedFile> held = port::LockFile(templateImage);
    ASSERT_NE(held, nullptr);
    Build(0, target.path());
  }
  ExpectRefused(target.path(), ShownBox::kAppMessage, "BootDisk.img");
  EXPECT_EQ(ReadTestFile(templateImage), before);
}

// The tests below need the Linux FAT tools (mkfs.fat, mtools, fsck.fat);
// they cannot run under Wine and skip there.
class BootImageToolTest : public BootImageBuildTest {
 protected:
  void SetUp() override {
    if (!FatToolsRun()) GTEST_SKIP() << "mkfs.fat, mtools or fsck.fat cannot run here (under Wine they never can)";
    BootImageBuildTest::SetUp();
  }

  // Builds the image for `row` from `templateBytes` (volume at `base`) and
  // checks it against the template and a NET folder build. fsck.fat notes
  // in the template a line holding `fsckNote`, or nothing when it is "",
  // and in the built image the same, nothing new.
  void BuildAndCompare(const std::string& templateBytes, std::size_t base, int row, const std::string& fsckNote = "") {
    WriteTestFile(templateImage, templateBytes);
    Build(row, target.path());
    ExpectSuccess();
    const std::string built = ReadTestFile(target / "BootDisk.img");
    ASSERT_EQ(built.size(), templateBytes.size());
    EXPECT_EQ(built.substr(0, base), templateBytes.substr(0, base));  // the master boot record
    const std::string volume = built.substr(base);
    const std::string before = templateBytes.substr(base);
    WriteTestFile(temp / "volume.img", volume);
    WriteTestFile(temp / "template.img", before);
    const Texts noted = FsckFindings(temp / "template.img");
    EXPECT_EQ(FsckFindings(temp / "volume.img"), noted);
    std::string notes;
    for (const std::string& line : noted) notes += line + "\n";
    EXPECT_TRUE(fsckNote.empty() ? notes.empty() : notes.find(fsckNote) != std::string::npos) << notes;

    // Reserved area and root folder byte for byte (boot sector, volume
    // label, long names, dates); the FAT copies alike.
    const std::size_t sector = Le16At(before, 11);
    const std::size_t reserved = Le16At(before, 14) * sector;
    const std::size_t fatBytes = Le16At(before, 22) * sector;
    const std::size_t fats = static_cast<std::uint8_t>(before[16]);
    const std::size_t root = reserved + fats * fatBytes;
    EXPECT_EQ(volume.substr(0, reserved), before.substr(0, reserved));
    EXPECT_EQ(volume.substr(root, Le16At(before, 17) * 32), before.substr(root, Le16At(before, 17) * 32));
    for (std::size_t copy = 1; copy < fats; ++copy) {
      EXPECT_EQ(volume.substr(reserved + copy * fatBytes, fatBytes), volume.substr(reserved, fatBytes));
    }
    // The entries of the other folders (names, sizes, dates, as mdir lists
    // them), NET's besides the three files written.
    const std::string driverName = cp936::BaseNameOf(list.FindByRow(row)->driverPath);
    const std::string unchanged = " | grep -v -E 'bytes free|files|^SYSTEM +INI|^PROTOCOL +INI|^" + driverName + " +DOS'";
    for (const char* folderName : {"TOOLS", "NET"}) {
      SCOPED_TRACE(folderName);
      const std::string listing = std::string("MTOOLS_SKIP_CHECK=1 mdir -a -i ");
      ASSERT_EQ(RunTool(listing + ShellPath(temp / "volume.img") + " ::/" + folderName + unchanged + " > " +
                        ShellPath(temp / "built.txt")),
                0);
      ASSERT_EQ(RunTool(listing + ShellPath(temp / "template.img") + " ::/" + folderName + unchanged + " > " +
                        ShellPath(temp / "template.txt")),
                0);
      EXPECT_EQ(ReadTestFile(temp / "built.txt"), ReadTestFile(temp / "template.txt"));
    }

    // The files: the template's, with NET as a NET folder build has it.
    TempFolder folderBuild;
    view.selected = row;
    view.AnswerTargetPath(folderBuild.path());
    CreateNetDir(view, list, program);
    ASSERT_EQ(view.boxes.back().text, "NET目录创建成功！");
    RemoveTestTree(temp / "built");
    RemoveTestTree(temp / "template");
    ExtractImage(temp / "volume.img", temp / "built");
    ExtractImage(temp / "template.img", temp / "template");
    const Texts files = ListTree(temp / "built");
    Texts expected = ListTree(temp / "template");
    const std::string driver = cp936::FileNameOf(list.FindByRow(row)->driverPath);
    if (std::find(expected.begin(), expected.end(), "NET\\" + driver) == expected.end()) {
      expected.push_back("NET\\" + driver);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(files, expected);
    EXPECT_NE(std::find(files.begin(), files.end(), "Read Me First.txt"), files.end());
    for (const std::string& name : files) {
      if (name.back() == '\\') continue;
      const bool inNet = name.compare(0, 4, "NET\\") == 0;
      EXPECT_EQ(ReadTestFile(temp / "built\\" + name),
                ReadTestFile(inNet ? folderBuild / name : temp / "template\\" + name))
          << name;
    }
  }
};

TEST_F(BootImageToolTest, ImagesMadeByTheFatToolsComeOutSoundAndAlikeOutsideTheChanges) {
  const struct {
    const char* what;
    const char* mkfsOptions;
    int sizeKb;
  } images[] = {
      {"1.44 MB floppy", "-F 12 -n BOOTNET", 1440},
      {"2.88 MB floppy", "-F 12 -n BOOTNET -f 2", 2880},
      {"16 MB FAT16 superfloppy", "-F 16 -n BOOTNET", 16384},
      {"32 MB FAT16 superfloppy, one FAT", "-F 16 -f 1 -s 4", 32767},
      {"1 KB sectors, 8 reserved, 64 root entries", "-F 12 -S 1024 -R 8 -r 64", 1440},
      {"4 KB sectors, 32 KB FAT12 clusters, one FAT", "-F 12 -S 4096 -s 8 -f 1 -r 128", 32768},
  };
  for (const auto& image : images) {
    SCOPED_TRACE(image.what);
    MakeToolImage(temp / "made.img", image.mkfsOptions, image.sizeKb, program + "\\BootDisk");
    BuildAndCompare(ReadTestFile(temp / "made.img"), 0, 0);
    BuildAndCompare(ReadTestFile(temp / "made.img"), 0, 2);
  }
}

TEST_F(BootImageToolTest, AHardDiskImageWithAMasterBootRecord) {
  MakeToolImage(temp / "made.img", "-F 16 -s 1 -n BOOTNET -h 63", 8192, program + "\\BootDisk");
  const std::string volume = ReadTestFile(temp / "made.img");
  std::string mbr(63 * 512, '\0');
  const std::uint32_t sectors = static_cast<std::uint32_t>(volume.size() / 512);
  const unsigned char partition[16] = {0x80, 1, 1, 0, 0x06, 0xFE, 0xFF, 0xFF, 63, 0, 0, 0,
                                       static_cast<unsigned char>(sectors & 0xFF),
                                       static_cast<unsigned char>(sectors >> 8 & 0xFF),
                                       static_cast<unsigned char>(sectors >> 16 & 0xFF), 0};
  mbr.replace(446, 16, reinterpret_cast<const char*>(partition), 16);
  mbr[510] = '\x55';
  mbr[511] = '\xAA';
  BuildAndCompare(mbr + volume, mbr.size(), 1);
}

TEST_F(BootImageToolTest, AnAddedDriverLandsInAFullNetFolderAndAReplacedOneIsReplaced) {
  // NET filled up to its last entry slot (one 512-byte cluster holds 16:
  // ".", "..", the 12 sample files, E100B.DOS and a pad), and a template
  // that already carries E100B.DOS.
  for (int i = 0; i < 1; ++i) {
    WriteTestFile(program + "\\BootDisk\\NET\\PAD" + std::to_string(i) + ".TXT", "pad");
  }
  WriteTestFile(program + "\\BootDisk\\NET\\E100B.DOS", "an older E100B driver, bigger than the new one " +
                                                            std::string(2000, 'o'));
  MakeToolImage(temp / "made.img", "-F 12 -n BOOTNET", 1440, program + "\\BootDisk");
  BuildAndCompare(ReadTestFile(temp / "made.img"), 0, 0);
  BuildAndCompare(ReadTestFile(temp / "made.img"), 0, 1);
}

// Templates as technicians find them: made by the FAT tools, then left by
// an old DOS tool or a cut-off session as below. DOS uses them; fsck.fat
// notes what they have, and must find it in the built image and nothing
// more.
TEST_F(BootImageToolTest, TemplatesFromTheFieldAreBuiltAndKeepWhatTheyHad) {
  const char* const kFloppy = "-F 12 -n BOOTNET";
  const char* const kFat16 = "-F 16 -s 1 -n BOOTNET";
  const auto fat16At = [](const std::string& v, std::uint32_t cluster, int copy = 0) {
    return Le16At(v, 14) * 512 + copy * Le16At(v, 22) * 512 + cluster * 2;
  };
  const auto setFat16 = [&](std::string* v, std::uint32_t cluster, std::uint32_t value) {
    const char bytes[] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    for (int copy = 0; copy < 2; ++copy) v->replace(fat16At(*v, cluster, copy), 2, bytes, 2);
  };
  std::vector<std::uint32_t> lost;
  const struct {
    const char* what;
    const char* mkfsOptions;
    int sizeKb;
    std::function<void(std::string* volume)> leave;
    const char* fsckNote;
  } rows[] = {
      {"the root's label changed by a LABEL that left the boot sector's", kFloppy, 1440,
       [](std::string* v) { v->replace(43, 11, "BOOTDISK   "); }, "and different"},
      {"the root's label deleted, the boot sector's left", kFloppy, 1440,
       [](std::string* v) { (*v)[kFloppyRoot] = '\xE5'; }, "no volume label in root"},
      {"a label given only in the root", kFloppy, 1440, [](std::string* v) { v->replace(43, 11, "NO NAME    "); },
       "no label in boot sector"},
      {"a DOS 3.3 boot sector: boot code where DOS 4 has the label", kFloppy, 1440,
       [](std::string* v) { v->replace(36, 26, std::string(26, '\x90')); }, "label '' stored in boot sector"},
      {"three lost clusters of a write cut off, lowest of the free", kFat16, 4096,
       [&](std::string* v) {
         std::uint32_t first = 2;
         while (Le16At(*v, fat16At(*v, first)) != 0) ++first;
         lost = {first, first + 1, first + 2};
         for (std::uint32_t cluster : lost) setFat16(v, cluster, cluster == first + 2 ? 0xFFFF : cluster + 1);
       },
       "Reclaimed 3 unused clusters"},
      {"the boot sector's dirty flag", kFloppy, 1440, [](std::string* v) { (*v)[37] |= 1; }, "Dirty bit is set"},
      {"FAT16's clean bit cleared", kFat16, 4096,
       [&](std::string* v) { setFat16(v, 1, Le16At(*v, fat16At(*v, 1)) & 0x7FFF); }, "Dirty bit is set"},
      {"a deleted entry after NET's end mark", kFloppy, 1440,
       [](std::string* v) {
         std::size_t slot = kFloppyRoot;
         while (v->compare(slot, 11, "NET        ") != 0) slot += 32;
         slot = kFloppyRoot + 14 * 512 + (Le16At(*v, slot + 26) - 2) * 512;
         while ((*v)[slot] != '\0') slot += 32;
         v->replace(slot + 32, 12, "\xE5LDDRV  DOS\x20");
       },
       ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    MakeToolImage(temp / "made.img", row.mkfsOptions, row.sizeKb, program + "\\BootDisk");
    std::string volume = ReadTestFile(temp / "made.img");
    row.leave(&volume);
    BuildAndCompare(volume, 0, 0, row.fsckNote);
    // Lost clusters, lowest where the build takes free ones, stay as they were.
    const std::string built = ReadTestFile(temp / "volume.img");
    for (std::uint32_t cluster : lost) {
      EXPECT_EQ(Le16At(built, fat16At(built, cluster)), Le16At(volume, fat16At(volume, cluster))) << cluster;
    }
    lost.clear();
  }
}

// Mutated templates: random bytes in the boot sector, the FATs, the root
// folder and NET's folder, or a cut-off file, on a small FAT12 floppy and a
// small FAT16 volume. Whatever the bytes, reading and setting up the image
// never crashes or hangs, and either refuses or gives an image that reads
// back as sound and in which fsck.fat notes nothing it did not note in the
// mutated template (checked on a sample: fsck is slow).
TEST_F(BootImageToolTest, MutatedTemplatesAreRefusedOrGiveSoundImages) {
  const struct {
    const char* mkfsOptions;
    int sizeKb;
    int rounds;
  } templates[] = {{"-F 12 -n BOOTNET", 360, 2000}, {"-F 16 -s 1 -n BOOTNET", 2400, 600}};
  const fat::DosStamp stamp = fat::MakeDosStamp(2026, 12, 7, 12, 0, 0);
  std::mt19937 random(20261207);
  const auto pick = [&](std::size_t from, std::size_t count) {
    return from + std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
  };
  for (const auto& made : templates) {
    SCOPED_TRACE(made.mkfsOptions);
    MakeToolImage(temp / "made.img", made.mkfsOptions, made.sizeKb, program + "\\BootDisk");
    const std::string good = ReadTestFile(temp / "made.img");
    const std::size_t fat = Le16At(good, 14) * 512;
    const std::size_t fatBytes = Le16At(good, 22) * 512;
    const std::size_t root = fat + 2 * fatBytes;
    const std::size_t data = root + Le16At(good, 17) * 32;
    const std::size_t cluster = static_cast<std::uint8_t>(good[13]) * 512;
    std::size_t net = 0;
    for (std::size_t slot = root; slot < data; slot += 32) {
      if (good.compare(slot, 11, "NET        ") == 0) net = data + (Le16At(good, slot + 26) - 2) * cluster;
    }
    ASSERT_NE(net, 0u);

    int accepted = 0;
    int checked = 0;
    int refused = 0;
    for (int round = 0; round < made.rounds; ++round) {
      std::string bytes = good;
      const int kind = round % 5;
      const int changes = 1 + static_cast<int>(random() % 3);
      for (int i = 0; i < changes; ++i) {
        const char value = static_cast<char>(random() & 0xFF);
        if (kind == 0) bytes[pick(0, 62)] = value;
        if (kind == 1) {
          const std::size_t at = pick(0, 64);
          bytes[fat + at] = value;
          if (random() % 4 != 0) bytes[fat + fatBytes + at] = value;  // mostly both copies alike
        }
        if (kind == 2) bytes[pick(root, 12 * 32)] = value;
        if (kind == 3) bytes[pick(net, cluster)] = value;
      }
      if (kind == 4) bytes.resize(pick(0, good.size()));
      const bool changed = bytes != good;

      fat::Image image;
      std::string problem;
      const std::string driver = round % 2 == 0 ? "E100B.DOS" : "RTL8139.DOS";
      if (!image.Open(bytes, &problem) ||
          !SetUpBootImage(&image, {driver, cp936::BaseNameOf(driver) + "$"}, "driver " + driver, stamp).empty()) {
        ++refused;
        continue;
      }
      ++accepted;
      fat::Image reread;
      ASSERT_TRUE(reread.Open(image.bytes(), &problem)) << "round " << round << ": " << problem;
      if (checked < 40 && changed) {
        ++checked;
        WriteTestFile(temp / "mutated.img", bytes);
        WriteTestFile(temp / "fuzzed.img", image.bytes());
        const Texts noted = FsckFindings(temp / "mutated.img");
        for (const std::string& finding : FsckFindings(temp / "fuzzed.img")) {
          EXPECT_NE(std::find(noted.begin(), noted.end(), finding), noted.end())
              << "round " << round << ": " << finding;
        }
      }
    }
    // Both outcomes happen: the mutations are neither all harmless nor all fatal.
    EXPECT_GT(accepted, made.rounds / 10);
    EXPECT_GT(refused, made.rounds / 10);
    EXPECT_EQ(checked, 40);
  }
}

}  // namespace
