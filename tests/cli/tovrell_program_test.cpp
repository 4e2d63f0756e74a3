// The native command-line program `tovrell`, run as a user runs it: each
// command on the sample library laid out in a temporary program folder,
// with its exit status, what it writes on each stream and what lands on
// disk; and Ctrl-C during a build.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "child_program.h"
#include "core/card_command_fixture.h"
#include "port/file_system.h"
#include "port/posix/native_text.h"
#include "support/fat_test_image.h"
#include "support/temp_folder.h"

namespace {

struct Row {
  const char* name;
  std::vector<std::string> arguments;  // "{program}", "{temp}": their native paths
  int status;
  std::vector<std::string> out;   // each in standard output
  std::vector<std::string> err;   // each in standard error; none: it stays empty
  std::vector<std::string> made;  // below the temporary folder, afterwards
  std::vector<std::string> gone;
  bool homeSet = true;  // TOVRELL_HOME names the program folder
};
void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

class TovrellProgramTest : public ::testing::TestWithParam<Row> {
 protected:
  void SetUp() override {
    const std::string sample = SampleFolder();
    ASSERT_FALSE(sample.empty()) << "sample folder not found from " << __FILE__;
    CopyTestTree(sample + "\\BootDisk", program + "\\BootDisk");
    CopyTestTree(sample + "\\driver", program + "\\driver");
    WriteTestFile(program + "\\driver\\RTL8139\\PCIIDS.INF", "PCI\\VEN_10EC&DEV_8139\r\nPCI\\VEN_10EC&DEV_8138\r\n");
    // Two cards of one name: a folder holding two drivers.
    WriteTestFile(program + "\\driver\\DUO\\DUOA.DOS", "driver");
    WriteTestFile(program + "\\driver\\DUO\\DUOB.DOS", "driver");
    WriteTestFile(temp / "package\\NEW.DOS", "driver");
    WriteTestFile(temp / "package\\PROTOCOL.INI", "[NEW_NIF]\r\nDriverName=NEW$\r\n");
    MakeTestFolders(temp / "target");
    ASSERT_EQ(RunTool("bash '" TOVRELL_SOURCE_DIR "/tools/make_sample_image.sh' " + ShellPath(program + "\\BootDisk") +
                      " " + ShellPath(program + "\\BootDisk.img")),
              0);
  }

  // `text` with the placeholders replaced by native paths.
  std::string Filled(std::string text) const {
    for (const auto& place : {std::make_pair("{program}", program), std::make_pair("{temp}", temp.path())}) {
      for (std::size_t at = text.find(place.first); at != std::string::npos; at = text.find(place.first)) {
        text.replace(at, std::string(place.first).size(), port::NativePath(place.second));
      }
    }
    return text;
  }

  ChildRun Run(const std::vector<std::string>& arguments, bool homeSet = true) const {
    ChildRun run;
    for (const std::string& argument : arguments) run.arguments.push_back(port::NativeText(Filled(argument)));
    run.environment["TOVRELL_HOME"] = homeSet ? port::NativePath(program) : "";
    run.folder = port::NativePath(temp.path());
    return run;
  }

  TempFolder temp;
  std::string program = temp / "program";
};

TEST_P(TovrellProgramTest, RunsTheCommand) {
  const Row& row = GetParam();
  const ChildEnd end = RunChild(TOVRELL_PROGRAM, Run(row.arguments, row.homeSet));
  // What it wrote, in the program's code page as the expectations are.
  const std::string out = port::ProgramText(end.out);
  const std::string err = port::ProgramText(end.err);
  EXPECT_EQ(end.status, row.status) << "out: " << out << "\nerr: " << err;
  for (const std::string& expected : row.out) EXPECT_NE(out.find(Filled(expected)), std::string::npos) << out;
  for (const std::string& expected : row.err) EXPECT_NE(err.find(Filled(expected)), std::string::npos) << err;
  if (row.err.empty()) {
    EXPECT_EQ(err, "");
  }
  for (const std::string& path : row.made) EXPECT_TRUE(Exists(temp / path)) << path;
  for (const std::string& path : row.gone) EXPECT_FALSE(Exists(temp / path)) << path;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, TovrellProgramTest,
    ::testing::Values(
        Row{"Help", {"--help"}, 0, {"Usage: tovrell [--program-folder DIR] COMMAND", "  netboot TARGET"}, {}, {}, {},
            true},
        Row{"CommandHelp", {"add", "--help"}, 0, {"Usage: tovrell [--program-folder DIR] add PATH [--name NAME]\n"},
            {}, {}, {}, true},
        Row{"Version", {"--version"}, 0, {"tovrell 1."}, {}, {}, {}, true},
        Row{"List",
            {"list"},
            0,
            {"NE2000\tNE2000/NE2000.DOS\tMS2000$\tNE2000.INI\t-\n",
             "NDIS2\t3C90X/NDIS2/EL90X.DOS\tEL90X$\tEL90X.INI\t-\n",
             "RTL8139\tRTL8139/RTL8139.DOS\tRTL8139$\tRTL8139.INI\t10EC:8139 10EC:8138 (PCIIDS.INF)\n"},
            {},
            {},
            {},
            true},
        Row{"Search", {"search", "program/driver"}, 0, {"E100B.DOS\t{program}/driver/E100B/E100B.DOS\n"}, {}, {}, {},
            true},
        Row{"AddNamed", {"add", "{temp}/package/NEW.DOS", "--name=新卡"}, 0, {}, {}, {"program\\driver\\新卡\\NEW.INI"},
            {}, true},
        Row{"AddNamedAfterTheDriver", {"add", "--", "package/NEW.DOS"}, 0, {}, {}, {"program\\driver\\NEW\\NEW.DOS"},
            {}, true},
        Row{"AddRefused", {"add", "--name", "e100b", "package/NEW.DOS"}, 1, {}, {"tovrell: 要添加的网卡已经存在!\n"}, {},
            {"program\\driver\\e100b"}, true},
        Row{"Rename", {"rename", "ne2000", "NE2000 ISA"}, 0, {}, {}, {"program\\driver\\NE2000 ISA\\NE2000.DOS"},
            {"program\\driver\\NE2000"}, true},
        Row{"Delete", {"delete", "E100B"}, 0, {}, {}, {"program\\driver\\RTL8139"}, {"program\\driver\\E100B"}, true},
        Row{"NoSuchCard", {"delete", "E1000"}, 1, {}, {"tovrell: no card named 'E1000' in {program}/driver "}, {}, {},
            true},
        Row{"TwoCardsOfOneName", {"delete", "duo"}, 1, {}, {"tovrell: 2 cards are named 'duo': DUO/DUO"},
            {"program\\driver\\DUO\\DUOA.DOS", "program\\driver\\DUO\\DUOB.DOS"}, {}, true},
        Row{"CardByItsDriver", {"delete", "duo/duob.dos"}, 0, {}, {}, {"program\\driver\\DUO\\DUOA.DOS"},
            {"program\\driver\\DUO\\DUOB.DOS"}, true},
        Row{"Net", {"net", "RTL8139", "target"}, 0, {"NET目录创建成功！\n"}, {}, {"target\\NET\\RTL8139.DOS"}, {}, true},
        Row{"Usb", {"usb", "E100B", "{temp}/target"}, 0, {"U盘目录创建成功！\n"}, {},
            {"target\\BootDisk\\NET\\E100B.DOS", "target\\BootDisk\\AUTOEXEC.BAT"}, {}, true},
        Row{"Image", {"image", "NE2000", "target"}, 0, {"启动镜像创建成功！\n"}, {}, {"target\\BootDisk.img"}, {}, true},
        Row{"Netboot",
            {"--program-folder", "{program}", "netboot", "target"},
            0,
            {"网络启动目录创建成功！\n在{temp}/target/netboot中为6块网卡"},
            {},
            {"target\\netboot\\RTL8139.IMG", "target\\netboot\\menu.ipxe"},
            {},
            false},
        Row{"UniversalUsb", {"universal-usb", "target"}, 0, {"通用启动盘创建成功！\n在{temp}/target/BootDisk中放了"}, {},
            {"target\\BootDisk\\NET\\TOVRELL.COM", "target\\BootDisk\\NET\\CARDS\\001"}, {}, true},
        Row{"UniversalImage", {"universal-image", "target"}, 0, {"通用启动镜像创建成功！\n"}, {},
            {"target\\BootDisk.img"}, {}, true},
        // The window's refusal, its paths written as the user writes them.
        Row{"Refused",
            {"usb", "E100B", "{program}/BootDisk"},
            1,
            {},
            {"tovrell: 目标文件夹{program}/BootDisk/BootDisk就是启动盘模板{program}/BootDisk或在它里面"},
            {},
            {"program\\BootDisk\\BootDisk"},
            true},
        Row{"NoProgramFolder", {"--program-folder={temp}/none", "list"}, 1, {}, {"tovrell: no program folder {temp}/none"},
            {}, {}, true},
        Row{"UnknownOption", {"list", "--all"}, 2, {},
            {"tovrell: unknown option '--all'\nUsage: tovrell [--program-folder DIR] list\n"}, {}, {}, true},
        Row{"MissingOperand", {"net", "E100B"}, 2, {}, {"tovrell: missing TARGET\n"}, {}, {}, true},
        Row{"UnknownCommand", {"build", "E100B"}, 2, {}, {"tovrell: unknown command 'build'\n"}, {}, {}, true}),
    [](const auto& row) { return std::string(row.param.name); });

// A FIFO in the template holds the build in its copy until the test writes
// to it: Ctrl-C comes while the build runs, whatever the machine's speed.
TEST(TovrellInterruptTest, CtrlCStopsABuildAndRemovesWhatItMade) {
  const std::string sample = SampleFolder();
  ASSERT_FALSE(sample.empty());
  TempFolder temp;
  CopyTestTree(sample + "\\BootDisk", temp / "BootDisk");
  CopyTestTree(sample + "\\driver", temp / "driver");
  const std::string fifo = port::NativePath(temp / "BootDisk\\SLOW.DAT");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  ChildRun run;
  MakeTestFolders(temp / "target");
  run.arguments = {"--program-folder", port::NativePath(temp.path()), "usb", "E100B",
                   port::NativePath(temp / "target")};
  run.errorOnTerminal = true;
  Child child(TOVRELL_PROGRAM, run);
  // Opened for writing once the build opens it for reading.
  int writer = -1;
  for (int tries = 0; tries < 3000 && writer < 0; ++tries) {
    writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer < 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_GE(writer, 0) << "the build never read the template";
  EXPECT_TRUE(Exists(temp / "target\\BootDisk"));
  // The progress shows from half a second on; the interrupt is seen within
  // a tenth of a second.
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  kill(child.pid(), SIGINT);
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  EXPECT_EQ(write(writer, "slow", 4), 4);
  close(writer);
  const ChildEnd end = child.Wait();
  const std::string err = port::ProgramText(end.err);
  EXPECT_EQ(end.status, 130) << err;
  EXPECT_NE(err.find("\r正在创建U盘目录 "), std::string::npos) << err;
  EXPECT_NE(err.find("tovrell: 创建已取消，没有留下创建了一半的" + port::NativePath(temp / "target\\BootDisk")),
            std::string::npos)
      << err;
  EXPECT_EQ(end.out, "");
  EXPECT_FALSE(Exists(temp / "target\\BootDisk"));
}

}  // namespace
