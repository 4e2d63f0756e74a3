// The builds carry the client's identity of Tovrell.ini: its names and
// address into SYSTEM.INI and PROTOCOL.INI, and, where each PC gets a name
// of its own, the boot program that draws it; what the dialog refuses, and
// a fixed address where many PCs boot, they refuse with nothing written.
#include <gtest/gtest.h>

#include "bootprog/boot_program.h"
#include "card_command_fixture.h"
#include "fat/image.h"
#include "settings/settings_file.h"
#include "window/build_commands.h"

namespace {

using Build = void (*)(MainView&, const CardList&, const std::string&);

class IdentityBuildTest : public SampleProgramTest {
 protected:
  void SetUp() override {
    SampleProgramTest::SetUp();
    WriteTemplateImage();
    view.selected = 1;  // RTL8139
  }

  TempFolder target;
};

TEST_F(IdentityBuildTest, TheSettingsGoIntoEveryMediumOrTheBuildIsRefused) {
  const std::string kStatic = "[Network]\r\nDHCP=0\r\nIPAddress=192.168.1.20\r\nSubnetMask=255.255.255.0\r\n";
  const struct {
    const char* what;
    Build build;
    std::string ini;     // Tovrell.ini
    const char* file;    // the built file that shows it (an image: its table), "" when refused
    std::string holds;   // in that file, or in the refusal
    bool bootProgram;    // TOVRELL.COM in the medium's NET
  } cases[] = {
      {"names and a fixed address", CreateNetDir,
       kStatic + "ComputerName=LAB01\r\nWorkgroup=CLASS\r\n", "NET\\PROTOCOL.INI",
       "IPAddress0=192 168 1 20\r\nDisableDHCP=1\r\n", false},
      {"the names in SYSTEM.INI", CreateNetDir, "[network]\r\ncomputername = lab01\r\nUserName=TEACHER\r\n",
       "NET\\SYSTEM.INI", "computername=lab01\r\nlanroot=A:\\NET\r\nusername=TEACHER\r\n", false},
      {"a name of its own for each PC", CreateUsbDisk, "[Network]\r\nComputerName=LAB\r\nUniqueName=1\r\n",
       "BootDisk\\AUTOEXEC.BAT", "@ECHO OFF\r\n\\NET\\TOVRELL.COM\r\n", true},
      {"the template's name as the base", CreateNetbootFolder, "", "netboot\\E100B.IMG", "NAME CLONE01\r\n", true},
      {"none where the lab says so", CreateNetbootFolder, "[Network]\r\nUniqueName=0\r\n", "netboot\\E100B.IMG", "",
       false},
      {"a fixed address for many PCs", CreateNetbootFolder, kStatic, "", "DHCP", false},
      {"a name the dialog refuses", CreateBootImage, "[Network]\r\nComputerName=TWO WORDS\r\n", "", "计算机名", false},
      {"a name too long for a name of its own", CreateUniversalImage, "[Network]\r\nComputerName=LABORATORY\r\n", "",
       "8", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteTestFile(SettingsFileOf(program), c.ini);
    view.boxes.clear();
    view.AnswerTargetPath(target.path());
    c.build(view, list, program);
    ASSERT_EQ(view.boxes.size(), 1u);
    if (*c.file == '\0') {
      EXPECT_EQ(view.boxes[0].caption, "创建错误");
      EXPECT_NE(view.boxes[0].text.find(c.holds), std::string::npos) << view.boxes[0].text;
      EXPECT_EQ(ListTree(target.path()), std::vector<std::string>{});
      continue;
    }
    EXPECT_EQ(view.boxes[0].caption, "创建成功") << view.boxes[0].text;
    EXPECT_EQ(view.boxes[0].text.find("每台电脑启动时得到自己的计算机名") != std::string::npos, c.bootProgram);
    // A file of the medium: in an image's NET, else on disk.
    const auto medium = [&](const std::string& path) {
      const std::string file = target / c.file;
      if (!cp936::EndsWithIgnoringCase(file, ".IMG")) return ReadTestFile(target / path);
      fat::Image image;
      std::string problem, content;
      if (!image.Open(ReadTestFile(file), &problem) || !image.ReadFile(path, &content)) return std::string();
      return content;
    };
    const bool image = cp936::EndsWithIgnoringCase(c.file, ".IMG");
    const std::string shown = medium(image ? "NET\\TOVRELL.TXT" : c.file);
    EXPECT_NE(shown.find(c.holds), std::string::npos) << shown;
    const std::string net = image ? "NET\\" : c.build == CreateNetDir ? "NET\\" : "BootDisk\\NET\\";
    EXPECT_EQ(medium(net + "TOVRELL.COM") == BootProgramBytes(), c.bootProgram);
    RemoveTestTree(target.path());
    MakeTestFolders(target.path());
  }
}

}  // namespace
