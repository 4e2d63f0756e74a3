#include "bootdisk/boot_media_build.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "card_command_fixture.h"
#include "port/file_system.h"
#include "support/headlines.h"
#include "support/make_link.h"
#include "window/build_commands.h"

namespace {

using Texts = std::vector<std::string>;

// `text` with the whole first line holding `key` replaced by `line`.
std::string WithLineReplaced(const std::string& text, const std::string& key, const std::string& line) {
  const std::size_t at = text.find(key);
  if (at == std::string::npos) return text;
  const std::size_t start = text.rfind('\n', at) == std::string::npos ? 0 : text.rfind('\n', at) + 1;
  std::size_t end = text.find('\n', at);
  if (end == std::string::npos) end = text.size();
  if (end > start && text[end - 1] == '\r') --end;
  return text.substr(0, start) + line + text.substr(end);
}

class BootMediaBuildTest : public SampleProgramTest {
 protected:
  void Build(bool usb, int row, const std::string& targetPath) {
    view.selected = row;
    view.boxes.clear();
    view.listFocused = false;
    view.AnswerTargetPath(targetPath);
    if (usb) {
      CreateUsbDisk(view, list, program);
    } else {
      CreateNetDir(view, list, program);
    }
  }

  // `net` must be the template's NET folder set up for `driverPath`.
  void ExpectNetFolderFor(const std::string& net, const std::string& driverPath) const {
    const std::string templateNet = program + "\\BootDisk\\NET";
    const std::string driverFile = cp936::FileNameOf(driverPath);
    Texts expected = ListTree(templateNet);
    expected.push_back(driverFile);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ListTree(net), expected);
    EXPECT_EQ(ReadTestFile(net + "\\" + driverFile), ReadTestFile(driverPath));

    const std::string systemIni = ReadTestFile(templateNet + "\\SYSTEM.INI");
    const std::string protocolIni = ReadTestFile(templateNet + "\\PROTOCOL.INI");
    ASSERT_NE(systemIni.find("\r\nnetcard="), std::string::npos);
    ASSERT_NE(protocolIni.find("DriverName="), std::string::npos);
    EXPECT_EQ(ReadTestFile(net + "\\SYSTEM.INI"), WithLineReplaced(systemIni, "netcard=", "netcard=" + driverFile));
    EXPECT_EQ(ReadTestFile(net + "\\PROTOCOL.INI"),
              WithLineReplaced(protocolIni, "DriverName=", "DriverName=" + cp936::BaseNameOf(driverPath) + "$"));
    for (const std::string& name : ListTree(templateNet)) {
      if (name == "SYSTEM.INI" || name == "PROTOCOL.INI" || cp936::EndsWithBackslash(name)) continue;
      EXPECT_EQ(ReadTestFile(net + "\\" + name), ReadTestFile(templateNet + "\\" + name)) << name;
    }
  }

  void ExpectSuccess(const std::string& text) const {
    ASSERT_EQ(view.boxes.size(), 1u) << (view.boxes.empty() ? "" : view.boxes[0].text);
    EXPECT_EQ(view.boxes[0].kind, ShownBox::kMessage);
    EXPECT_EQ(view.boxes[0].text, text);
    EXPECT_EQ(view.boxes[0].caption, "创建成功");
    EXPECT_TRUE(view.listFocused);
  }

  void ExpectNoSuccess() const {
    for (const ShownBox& box : view.boxes) EXPECT_NE(box.caption, "创建成功") << box.text;
  }

  // Every file of the template with its bytes, and its attributes.
  std::vector<std::string> TemplateState() const {
    std::vector<std::string> state;
    for (const std::string& name : ListTree(program + "\\BootDisk")) {
      const std::string path = program + "\\BootDisk\\" + name;
      state.push_back(name + "=" + (cp936::EndsWithBackslash(name) ? "" : ReadTestFile(path)) +
                      std::to_string(port::GetAttributes(path) & port::kAttrReadOnly));
    }
    return state;
  }

  TempFolder target;
};

TEST_F(BootMediaBuildTest, TheNetBuildLandsTheTemplateTheDriverAndTheRewrittenFiles) {
  Build(false, 0, target.path());
  ExpectSuccess("NET目录创建成功！");
  ExpectNetFolderFor(target / "NET", list.FindByRow(0)->driverPath);
  EXPECT_EQ(ListTree(target.path()).front(), "NET\\");
}

TEST_F(BootMediaBuildTest, TheUsbBuildLandsTheWholeTemplateAndLeavesTheRestOfTheTarget) {
  WriteTestFile(target / "KEEP.TXT", "outside the build");
  WriteTestFile(target / "BootDiskOld\\KEEP.TXT", "a sibling");
  Build(true, 2, target.path());
  ExpectSuccess("U盘目录创建成功！");

  Texts expected = ListTree(program + "\\BootDisk");
  expected.push_back("NET\\EL90X.DOS");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ListTree(target / "BootDisk"), expected);
  EXPECT_EQ(ReadTestFile(target / "BootDisk\\AUTOEXEC.BAT"), ReadTestFile(program + "\\BootDisk\\AUTOEXEC.BAT"));
  ExpectNetFolderFor(target / "BootDisk\\NET", list.FindByRow(2)->driverPath);
  EXPECT_EQ(ReadTestFile(target / "KEEP.TXT"), "outside the build");
  EXPECT_EQ(ReadTestFile(target / "BootDiskOld\\KEEP.TXT"), "a sibling");
}

TEST_F(BootMediaBuildTest, ASecondBuildWithAnotherCardReplacesTheFirstWhole) {
  for (bool usb : {false, true}) {
    const std::string net = usb ? target / "BootDisk\\NET" : target / "NET";
    Build(usb, 0, target.path());
    ExpectSuccess(usb ? "U盘目录创建成功！" : "NET目录创建成功！");
    WriteTestFile(net + "\\USER.TXT", "added after the build");

    Build(usb, 1, target.path() + "\\");  // a trailing backslash doubles at the join and works the same
    ExpectSuccess(usb ? "U盘目录创建成功！" : "NET目录创建成功！");
    ExpectNetFolderFor(net, list.FindByRow(1)->driverPath);
    EXPECT_FALSE(Exists(net + "\\E100B.DOS"));
    EXPECT_FALSE(Exists(net + "\\USER.TXT"));
  }
}

TEST_F(BootMediaBuildTest, AMissingTargetFailsWithoutSuccess) {
  for (bool usb : {false, true}) {
    Build(usb, 0, target / "missing");
    EXPECT_EQ(Headlines(view.BoxTexts()), Texts{"文件拷贝失败！"});
    EXPECT_EQ(view.boxes[0].kind, ShownBox::kAppMessage);
    EXPECT_FALSE(Exists(target / "missing"));
  }
}

TEST_F(BootMediaBuildTest, AReadOnlyTemplateBuildsAndStaysUntouched) {
  for (const char* name : {"SYSTEM.INI", "PROTOCOL.INI", "NET.EXE"}) {
    ASSERT_TRUE(port::SetAttributes(program + "\\BootDisk\\NET\\" + name, port::kAttrReadOnly));
  }
  const std::vector<std::string> before = TemplateState();
  Build(true, 1, target.path());
  ExpectSuccess("U盘目录创建成功！");
  ExpectNetFolderFor(target / "BootDisk\\NET", list.FindByRow(1)->driverPath);
  EXPECT_EQ(TemplateState(), before);

  Build(true, 0, target.path());  // the read-only copies of the first build are replaced too
  ExpectSuccess("U盘目录创建成功！");
  ExpectNetFolderFor(target / "BootDisk\\NET", list.FindByRow(0)->driverPath);
}

TEST_F(BootMediaBuildTest, ADriverThatCannotBeCopiedIsAFailureNotASuccess) {
  port::RemoveFile(list.FindByRow(1)->driverPath);
  for (bool usb : {false, true}) {
    Build(usb, 1, target.path());
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].kind, ShownBox::kAppMessage);
    EXPECT_NE(view.boxes[0].text.find("RTL8139.DOS"), std::string::npos) << view.boxes[0].text;
    ExpectNoSuccess();
    // No media naming the template's driver is left behind.
    EXPECT_EQ(ListTree(target.path()), Texts{}) << usb;
  }
}

TEST_F(BootMediaBuildTest, NoCardForTheSelectedRowIsAFailureNotASuccess) {
  view.rows.push_back("row without a card");
  for (int row : {3, -1}) {
    Build(false, row, target.path());
    ASSERT_EQ(view.boxes.size(), 1u) << row;
    EXPECT_EQ(view.boxes[0].kind, ShownBox::kAppMessage);
    ExpectNoSuccess();
    EXPECT_FALSE(Exists(target / "NET")) << row;
  }
}

TEST_F(BootMediaBuildTest, AUsbTemplateWithoutNetFolderFailsWithoutSuccess) {
  RemoveTestTree(program + "\\BootDisk\\NET");
  Build(true, 0, target.path());
  ASSERT_EQ(view.boxes.size(), 1u);
  ExpectNoSuccess();
  EXPECT_FALSE(Exists(target / "BootDisk"));
}

TEST_F(BootMediaBuildTest, ATemplateWithoutTheLineTheClientReadsIsRefusedBeforeAnythingIsWritten) {
  const std::string net = program + "\\BootDisk\\NET\\";
  const std::string systemIni = ReadTestFile(net + "SYSTEM.INI");
  const std::string protocolIni = ReadTestFile(net + "PROTOCOL.INI");
  const struct {
    const char* file;
    std::string content;
    const char* key;
  } cases[] = {
      {"SYSTEM.INI", "[network drivers]\r\n;netcard=OLD.DOS\r\n", "netcard="},
      {"PROTOCOL.INI", "[PROTMAN]\r\nDriverName=PROTMAN$\r\n[TCPIP]\r\nDriverName=TCPIP$\r\nBINDINGS=NIC\r\n",
       "DriverName="},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    WriteTestFile(net + c.file, c.content);
    for (bool usb : {false, true}) {
      Build(usb, 0, target.path());
      ASSERT_EQ(view.boxes.size(), 1u);
      EXPECT_EQ(view.boxes[0].caption, "创建错误");
      EXPECT_NE(view.boxes[0].text.find(net + c.file), std::string::npos) << view.boxes[0].text;
      EXPECT_NE(view.boxes[0].text.find(c.key), std::string::npos) << view.boxes[0].text;
      EXPECT_EQ(ListTree(target.path()), Texts{});
    }
    WriteTestFile(net + "SYSTEM.INI", systemIni);
    WriteTestFile(net + "PROTOCOL.INI", protocolIni);
  }
}

TEST_F(BootMediaBuildTest, AnOldBuildFolderThatCannotBeRemovedWholeGetsNothingWritten) {
  const std::string outside = temp / "outside.txt";
  WriteTestFile(outside, "outside");
  for (bool usb : {false, true}) {
    SCOPED_TRACE(usb);
    const std::string net = usb ? target / "BootDisk\\NET" : target / "NET";
    for (const char* name : {"NET.EXE", "SYSTEM.INI", "PROTOCOL.INI", "E100B.DOS"}) {
      WriteTestFile(net + "\\" + name, "old");
    }
    // A file of the old medium held open, and one that leads elsewhere.
    auto lock = port::LockFile(net + "\\NET.EXE");
    ASSERT_NE(lock, nullptr);
    const bool linked = MakeFileLink(outside, net + "\\PROTMAN.DOS");
    Build(usb, 0, target.path());
    lock.reset();
    ExpectNoSuccess();
    ASSERT_GE(view.boxes.size(), 2u);
    EXPECT_EQ(view.boxes[0].text, "删除文件" + net + "\\NET.EXE失败！");
    EXPECT_NE(view.boxes.back().text.find("没有复制任何文件"), std::string::npos) << view.boxes.back().text;
    for (const std::string& name : ListTree(net)) {
      if (name != "PROTMAN.DOS") {
        EXPECT_EQ(ReadTestFile(net + "\\" + name), "old") << name;
      }
    }
    EXPECT_EQ(ReadTestFile(outside), "outside");
    if (linked && port::IsLink(net + "\\PROTMAN.DOS")) RemoveLink(net + "\\PROTMAN.DOS");
  }
}

TEST_F(BootMediaBuildTest, TheTargetPathIsUsedExactlyAsTyped) {
  // A leading blank is part of the folder name.
  MakeTestFolders(target / " lead");
  const std::string current = port::CurrentFolder();
  ASSERT_TRUE(port::SetCurrentFolder(target.path()));
  Build(false, 0, " lead");
  port::SetCurrentFolder(current);
  ExpectSuccess("NET目录创建成功！");
  ExpectNetFolderFor(target / " lead\\NET", list.FindByRow(0)->driverPath);

  // A percent sign is no format.
  MakeTestFolders(target / "100%s%n");
  Build(true, 0, target / "100%s%n");
  ExpectSuccess("U盘目录创建成功！");
  ExpectNetFolderFor(target / "100%s%n\\BootDisk\\NET", list.FindByRow(0)->driverPath);
}

// --- Links and read-only media -----------------------------------------------

TEST_F(BootMediaBuildTest, AnOldBuildFolderThatIsALinkIsNeverEmptiedThrough) {
  const std::string user = temp / "user";
  WriteTestFile(user + "\\DOCS\\REPORT.TXT", "the user's");
  WriteTestFile(user + "\\SYSTEM.INI", "the user's ini");
  const Texts userBefore = ListTree(user);
  const std::vector<std::string> templateBefore = TemplateState();
  const bool linksRemovable = ProbeLinkRemoval(temp / "probe").folderLinks;
  const struct {
    bool usb;
    const char* link;  // below the target
    std::string leadsTo;
  } cases[] = {
      {false, "NET", user},
      {true, "BootDisk", user},
      {false, "NET\\SUB", user},
      {true, "BootDisk\\NET", user},
      // Into the template, where the copy would meet its own files.
      {true, "BootDisk\\TOOLS", program + "\\BootDisk\\TOOLS"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link);
    const std::string link = target / c.link;
    MakeTestFolders(cp936::FolderOf(link));
    if (!MakeFolderLink(c.leadsTo, link)) GTEST_SKIP() << "links cannot be made here";
    Build(c.usb, 0, target.path());
    EXPECT_EQ(TemplateState(), templateBefore);
    EXPECT_EQ(ListTree(user), userBefore);
    EXPECT_EQ(ReadTestFile(user + "\\DOCS\\REPORT.TXT"), "the user's");
    EXPECT_EQ(ReadTestFile(user + "\\SYSTEM.INI"), "the user's ini");
    if (linksRemovable) {
      ExpectSuccess(c.usb ? "U盘目录创建成功！" : "NET目录创建成功！");
      EXPECT_FALSE(port::IsLink(link));
      ExpectNetFolderFor(c.usb ? target / "BootDisk\\NET" : target / "NET", list.FindByRow(0)->driverPath);
    } else {
      // Where the link cannot be removed as a link, the build says so and
      // writes nothing through it; one left inside the build folder stays
      // there, like a file another program holds open.
      if (cp936::FolderOf(c.link) == c.link || c.leadsTo != user) ExpectNoSuccess();
      ASSERT_FALSE(view.boxes.empty());
      EXPECT_NE(view.boxes[0].text.find(link), std::string::npos) << view.boxes[0].text;
    }
    RemoveTestTree(target.path() + "\\NET");
    RemoveTestTree(target.path() + "\\BootDisk");
  }
}

TEST_F(BootMediaBuildTest, NothingIsWrittenThroughALinkLeftWhereTheBuildWritesItsOwnFiles) {
  // File links the old build folder kept (where links cannot be removed, or
  // beside a file another program holds open) lead to another card's driver.
  const std::string driverPath = list.FindByRow(0)->driverPath;
  const std::string other = list.FindByRow(1)->driverPath;
  const std::string otherBefore = ReadTestFile(other);
  ASSERT_TRUE(port::SetAttributes(other, port::kAttrReadOnly));
  for (bool usb : {false, true}) {
    for (const std::string& name : {cp936::FileNameOf(driverPath), std::string("TEMP.INI")}) {
      SCOPED_TRACE(name);
      const std::string net = usb ? target / "BootDisk\\NET" : target / "NET";
      MakeTestFolders(net);
      if (!MakeFileLink(other, net + "\\" + name)) GTEST_SKIP() << "links cannot be made here";
      Build(usb, 0, target.path());
      EXPECT_EQ(ReadTestFile(other), otherBefore);
      EXPECT_NE(port::GetAttributes(other) & port::kAttrReadOnly, 0u);
      if (port::IsLink(net + "\\" + name)) {
        ExpectNoSuccess();
        RemoveLink(net + "\\" + name);
      } else {
        ExpectSuccess(usb ? "U盘目录创建成功！" : "NET目录创建成功！");
        ExpectNetFolderFor(net, driverPath);
      }
      RemoveTestTree(target.path() + "\\NET");
      RemoveTestTree(target.path() + "\\BootDisk");
    }
  }
}

TEST_F(BootMediaBuildTest, ATemplateLinkIntoTheTemplateOrTheLibraryFailsTheBuildAndLeavesNoMedia) {
  const struct {
    bool usb;
    const char* link;  // below the template
    std::string leadsTo;
  } cases[] = {
      {false, "NET\\LOOP", program + "\\BootDisk"},
      {true, "TOOLS\\DRIVERS", library},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link);
    const std::string link = program + "\\BootDisk\\" + c.link;
    if (!MakeFolderLink(c.leadsTo, link)) GTEST_SKIP() << "links cannot be made here";
    const std::vector<std::string> before = TemplateState();
    const Texts libraryBefore = ListTree(library);
    Build(c.usb, 0, target.path());
    ExpectNoSuccess();
    ASSERT_FALSE(view.boxes.empty());
    EXPECT_NE(view.boxes[0].text.find(link), std::string::npos) << view.boxes[0].text;
    EXPECT_EQ(TemplateState(), before);
    EXPECT_EQ(ListTree(library), libraryBefore);
    EXPECT_EQ(ListTree(target.path()), Texts{});
    RemoveLink(link);
  }
}

TEST_F(BootMediaBuildTest, ADriverFileTheTemplateBringsReadOnlyIsReplacedByTheCardsDriver) {
  const std::string driverPath = list.FindByRow(1)->driverPath;
  const std::string inTemplate = program + "\\BootDisk\\NET\\" + cp936::FileNameOf(driverPath);
  WriteTestFile(inTemplate, "the template's own copy");
  ASSERT_TRUE(port::SetAttributes(inTemplate, port::kAttrReadOnly));
  const std::vector<std::string> before = TemplateState();
  for (bool usb : {false, true}) {
    Build(usb, 1, target.path());
    ExpectSuccess(usb ? "U盘目录创建成功！" : "NET目录创建成功！");
    const std::string net = usb ? target / "BootDisk\\NET" : target / "NET";
    EXPECT_EQ(ReadTestFile(net + "\\" + cp936::FileNameOf(driverPath)), ReadTestFile(driverPath));
    EXPECT_NE(ReadTestFile(net + "\\SYSTEM.INI").find("\r\nnetcard=" + cp936::FileNameOf(driverPath) + "\r\n"),
              std::string::npos);
    EXPECT_EQ(TemplateState(), before);
  }
}

}  // namespace
