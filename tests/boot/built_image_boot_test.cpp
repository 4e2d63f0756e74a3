// The image the boot image build writes, booted in a virtual PC through
// iPXE and through PXELINUX's menu, each as a lab's TFTP server would
// serve it: the booted machine must show the built PROTOCOL.INI.
#include <gtest/gtest.h>

#include "bootdisk/boot_image_build.h"
#include "core/card_command_fixture.h"
#include "network_boot.h"
#include "support/fat_test_image.h"

namespace {

// Builds <target>\BootDisk.img from <program>\BootDisk.img for the card of
// `driverPath`, as the card list's command does; the messages it showed.
std::vector<std::string> BuildCardImage(const std::string& program, const std::string& driverPath,
                                        const std::string& target) {
  const std::string card = cp936::FileNameOf(cp936::FolderOf(driverPath));
  NicList list;
  list.Append({0, card, driverPath});
  FakeMainView view;
  view.rows = {card};
  view.selected = 0;
  view.AnswerTargetPath(target);
  CreateBootImage(view, list, program);
  return view.BoxTexts();
}

// A TFTP root serving both ways in: pxelinux.0 with a menu in netboot\, and
// an iPXE script in netboot\ that picks the image by the card's PCI ids
// (busid: bus type 01 for PCI, then vendor and device, lower-case hex).
// PXELINUX names every file from pxelinux.0's folder, also in a menu file
// below it; iPXE names a file from the script's own folder, "/" from the root.
const char* const kPxeLinuxDefault = "DEFAULT netboot\nLABEL netboot\n  KERNEL menu.c32\n  APPEND netboot/menu.cfg\n";
const char* const kPxeLinuxMenu =
    "MENU TITLE Tovrell boot test\nTIMEOUT 600\n"
    "LABEL local\n  MENU LABEL Boot from local disk\n  LOCALBOOT 0\n"
    "LABEL rtl8139\n  MENU LABEL RTL8139\n  KERNEL memdisk\n  INITRD netboot/BootDisk.img\n  APPEND floppy\n";
const char* const kIpxeScript =
    "#!ipxe\n"
    "iseq ${netX/busid} 01:10:ec:81:39 && goto rtl8139 || exit\n"
    ":rtl8139\nkernel /memdisk floppy\ninitrd BootDisk.img\nboot\n";

struct BootWay {
  const char* what;
  const char* bootFile;
  const char* nic;
  const char* keysAfter;
  std::vector<std::string> keys;
};
void PrintTo(const BootWay& way, std::ostream* out) { *out << way.what; }

class BuiltImageBootTest : public ::testing::TestWithParam<BootWay> {};

TEST_P(BuiltImageBootTest, ShowsTheCardsProtocolIni) {
  const std::string sample = SampleFolder();
  ASSERT_FALSE(sample.empty()) << "sample folder not found from " << __FILE__;
  TempFolder program;
  TempFolder tftp;
  // SYSLINUX's installer must leave a volume the build (fat::Image::Open)
  // and fsck.fat take as sound.
  MakeBootableTemplate(sample + "\\BootDisk", program / "BootDisk.img");
  ASSERT_EQ(CheckWithFsck(program / "BootDisk.img"), 0);
  CopyTestTree(sample + "\\driver\\RTL8139", program / "driver\\RTL8139");
  MakeTestFolders(tftp / "netboot");
  ASSERT_EQ(BuildCardImage(program.path(), program / "driver\\RTL8139\\RTL8139.DOS", tftp / "netboot"),
            std::vector<std::string>{"启动镜像创建成功！"});
  LayOutPxeLinux(tftp.path());
  WriteTestFile(tftp / "pxelinux.cfg\\default", kPxeLinuxDefault);
  WriteTestFile(tftp / "netboot\\menu.cfg", kPxeLinuxMenu);
  WriteTestFile(tftp / "netboot\\menu.ipxe", kIpxeScript);

  const BootWay& way = GetParam();
  std::string screen;
  EXPECT_TRUE(BootShows({tftp.path(), way.bootFile, way.nic, way.keysAfter, way.keys, "DriverName=RTL8139$"}, &screen))
      << screen;
}

INSTANTIATE_TEST_SUITE_P(Ways, BuiltImageBootTest,
                         ::testing::Values(BootWay{"Ipxe", "netboot/menu.ipxe", "rtl8139", "", {}},
                                           BootWay{"PxeLinuxMenu", "pxelinux.0", "e1000", "Tovrell boot test",
                                                   {"down", "ret"}}),
                         [](const auto& row) { return std::string(row.param.what); });

}  // namespace
