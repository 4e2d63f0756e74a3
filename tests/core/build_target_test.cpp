// The opening the NET, USB and image builds share: a cancelled target
// dialog or a target that would change the program's own data leaves
// everything as it was.
#include "bootdisk/build_target.h"

#include <gtest/gtest.h>

#include "bootdisk/boot_image_build.h"
#include "bootdisk/boot_media_build.h"
#include "card_command_fixture.h"
#include "netboot/netboot_build.h"
#include "port/file_system.h"
#include "support/fat_test_image.h"
#include "window/build_commands.h"

namespace {

enum class Build { kNet, kUsb, kImage, kNetboot, kUniversalUsb };

class BuildTargetTest : public SampleProgramTest {
 protected:
  // The program lies in <temp>\NET\Tovrell, so that a NET build into <temp>
  // would remove it; beside it a template image.
  void SetUp() override {
    SampleProgramTest::SetUp();
    LayOutProgramFolder(temp / "NET\\Tovrell");
    WriteTemplateImage();
  }

  void Run(Build build) {
    view.selected = 0;
    view.boxes.clear();
    view.listFocused = false;
    if (build == Build::kNet) CreateNetDir(view, list, program);
    if (build == Build::kUsb) CreateUsbDisk(view, list, program);
    if (build == Build::kImage) CreateBootImage(view, list, program);
    if (build == Build::kNetboot) CreateNetbootFolder(view, list, program);
    if (build == Build::kUniversalUsb) CreateUniversalUsb(view, list, program);
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
      {Build::kNetboot, program + "\\BootDisk.img", "启动镜像模板"},  // the folder in place of the template image
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

// Cancelled at any step, or ended by an exception (out of memory), a build
// leaves nothing of itself behind, the old output that it replaces only
// once complete as it was, and says so; where another program holds a
// file it has just written, it says what stayed instead.
TEST_F(BuildTargetTest, ACancelledOrFailedBuildLeavesNothingHalfMadeOrSaysWhatStayed) {
  enum Ending { kCancel, kHeldOpen, kThrow };
  const struct {
    Build build;
    int atStep;
    const char* output;
    Ending ending;
    const char* old;  // an old output the build replaces, or nullptr
  } cases[] = {
      {Build::kNet, 1, "NET", kCancel, nullptr},
      {Build::kNet, 3, "NET", kCancel, nullptr},
      {Build::kUsb, 6, "BootDisk", kCancel, nullptr},
      {Build::kImage, 1, "BootDisk.img", kCancel, nullptr},
      {Build::kImage, 4, "BootDisk.img", kCancel, "BootDisk.img"},
      {Build::kNet, 4, "NET", kHeldOpen, nullptr},
      {Build::kNetboot, 3, "netboot", kCancel, "netboot\\OLD.IMG"},  // after the first card's image
      {Build::kNetboot, 5, "netboot", kCancel, "netboot\\OLD.IMG"},  // while the new one goes in place
      {Build::kNetboot, 3, "netboot", kThrow, "netboot\\OLD.IMG"},
      {Build::kImage, 3, "BootDisk.img", kThrow, "BootDisk.img"},
      {Build::kNet, 3, "NET", kThrow, nullptr},
      {Build::kUniversalUsb, 2, "BootDisk", kCancel, "BootDisk\\OLD.TXT"},  // reading the cards
      {Build::kUniversalUsb, 7, "BootDisk", kThrow, "BootDisk\\OLD.TXT"},   // copying the template
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.output) + " " + std::to_string(c.atStep) + " " + std::to_string(c.ending));
    TempFolder target;
    const std::string output = target / c.output;
    if (c.old != nullptr) WriteTestFile(target / c.old, "the lab's own");
    const std::vector<std::string> before = ListTree(target.path());
    std::unique_ptr<port::LockedFile> lock;
    view.cancelAtStep = c.ending == kThrow ? 0 : c.atStep;
    view.onStep = [&](int step) {
      if (step != c.atStep) return;
      if (c.ending == kHeldOpen) lock = port::LockFile(output + "\\" + ListTree(output).front());
      if (c.ending == kThrow) throw std::bad_alloc();
    };
    view.AnswerTargetPath(target.path());
    Run(c.build);
    view.onStep = nullptr;
    EXPECT_EQ(static_cast<int>(view.steps.size()), c.atStep);
    const std::vector<std::string> texts = view.BoxTexts();
    if (c.ending == kHeldOpen) {
      ASSERT_EQ(texts.size(), 3u);
      ASSERT_NE(lock, nullptr);
      EXPECT_EQ(texts[0].rfind("删除文件" + output, 0), 0u) << texts[0];
      EXPECT_NE(texts[1].find("不要使用它"), std::string::npos) << texts[1];
      EXPECT_EQ(texts[2], "创建已取消。");
      EXPECT_EQ(view.boxes.back().caption, "创建取消");
      continue;
    }
    ASSERT_EQ(texts.size(), 1u);
    if (c.ending == kThrow) {
      EXPECT_EQ(view.boxes[0].kind, ShownBox::kAppMessage);
      EXPECT_NE(texts[0].find("内存不足"), std::string::npos) << texts[0];
    } else {
      EXPECT_EQ(view.boxes[0].caption, "创建取消");
    }
    EXPECT_NE(texts[0].find(c.old != nullptr ? "没有改动" : "没有留下"), std::string::npos) << texts[0];
    EXPECT_EQ(ListTree(target.path()), before);
    if (c.old != nullptr) {
      EXPECT_EQ(ReadTestFile(target / c.old), "the lab's own");
    }
  }
}

}  // namespace
