// The opening the NET, USB and image builds share: a cancelled target
// dialog or a target that would change the program's own data leaves
// everything as it was.
#include "bootdisk/build_target.h"

#include <gtest/gtest.h>

#include "bootdisk/boot_image_build.h"
#include "bootdisk/boot_media_build.h"
#include "card_command_fixture.h"
#include "port/file_system.h"
#include "support/fat_test_image.h"

namespace {

enum class Build { kNet, kUsb, kImage };

class BuildTargetTest : public SampleProgramTest {
 protected:
  // The program lies in <temp>\NET\Tovrell, so that a NET build into <temp>
  // would remove it; beside it a template image.
  void SetUp() override {
    SampleProgramTest::SetUp();
    LayOutProgramFolder(temp / "NET\\Tovrell");
    WriteTestFile(program + "\\BootDisk.img", MemoryFloppy({{"SYSTEM.INI", "netcard=\r\n"}}));
  }

  void Run(Build build) {
    view.selected = 0;
    view.boxes.clear();
    view.listFocused = false;
    if (build == Build::kNet) CreateNetDir(view, list, program);
    if (build == Build::kUsb) CreateUsbDisk(view, list, program);
    if (build == Build::kImage) CreateBootImage(view, list, program);
  }

  // Every entry below the temporary folder with its bytes and read-only bit.
  std::vector<std::string> Everything() const {
    std::vector<std::string> state;
    for (const std::string& name : ListTree(temp.path())) {
      const std::string path = temp / name;
      state.push_back(name + "=" + (cp936::EndsWithBackslash(name) ? "" : ReadTestFile(path)) +
                      std::to_string(port::GetAttributes(path) & port::kAttrReadOnly));
    }
    return state;
  }
};

TEST_F(BuildTargetTest, ACancelOrATargetOverTheProgramsOwnDataChangesNothing) {
  WriteTestFile(program + "\\BootDisk\\NET\\NET\\INNER.TXT", "template data");
  ASSERT_TRUE(port::SetAttributes(program + "\\BootDisk\\NET\\SYSTEM.INI", port::kAttrReadOnly));
  const std::string kCancel = "<cancel>";
  const struct {
    Build build;
    std::string targetPath;
    std::string mentioned;  // in the refusal
  } cases[] = {
      {Build::kNet, kCancel, ""},
      {Build::kUsb, kCancel, ""},
      {Build::kImage, kCancel, ""},
      {Build::kUsb, program, "启动盘模板"},                          // the build folder would be the template
      {Build::kUsb, program + "\\\\.\\", "启动盘模板"},                // the same, spelled otherwise
      {Build::kNet, program + "\\BootDisk", "启动盘模板"},             // the NET build onto the template's NET
      {Build::kNet, program + "\\BootDisk\\NET", "启动盘模板"},        // inside the template's NET
      {Build::kUsb, program + "\\BootDisk\\NET", "启动盘模板"},        // inside the template
      {Build::kImage, program + "\\BootDisk\\NET", "启动盘模板"},
      {Build::kNet, library, "网卡驱动库"},                           // inside the driver library
      {Build::kUsb, library + "\\E100B", "网卡驱动库"},
      {Build::kImage, library + "\\E100B", "网卡驱动库"},
      {Build::kImage, program, "BootDisk.img"},                      // over the template image
      {Build::kImage, program + "\\\\.\\", "BootDisk.img"},
      {Build::kNet, temp.path(), "包含"},                             // <temp>\NET holds the program
  };
  const std::vector<std::string> before = Everything();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.targetPath);
    const int dialogsBefore = view.dialogsRun;
    if (c.targetPath == kCancel) {
      Run(c.build);
      EXPECT_TRUE(view.boxes.empty());
    } else {
      view.AnswerTargetPath(c.targetPath);
      Run(c.build);
      ASSERT_EQ(view.boxes.size(), 1u);
      EXPECT_EQ(view.boxes[0].kind, ShownBox::kMessage);
      EXPECT_EQ(view.boxes[0].caption, "创建错误");
      EXPECT_NE(view.boxes[0].text.find(c.mentioned), std::string::npos) << view.boxes[0].text;
    }
    EXPECT_EQ(view.dialogsRun, dialogsBefore + 1);
    EXPECT_TRUE(view.listFocused);
    EXPECT_EQ(Everything(), before);
  }
  if (port::NamesIgnoreCase()) {
    view.AnswerTargetPath(cp936::UpperAscii(program));
    Run(Build::kUsb);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].caption, "创建错误");
    EXPECT_EQ(Everything(), before);
  }

  // A build beside the program folder is fine.
  view.AnswerTargetPath(temp / "NET");
  Run(Build::kNet);
  EXPECT_EQ(view.BoxTexts(), std::vector<std::string>{"NET目录创建成功！"});
}

}  // namespace
