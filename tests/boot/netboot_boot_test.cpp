// What the image builds make, served as a lab serves it: a machine whose
// card the library knows by its PCI ids boots that card's image from the
// network boot folder through iPXE with no key pressed, PXELINUX's menu, run
// from pxelinux.cfg/default, boots the card chosen in it, and the single
// image build's BootDisk.img boots too.
#include <gtest/gtest.h>

#include "core/card_command_fixture.h"
#include "bootdisk/boot_image_build.h"
#include "netboot/netboot_build.h"
#include "network_boot.h"
#include "support/fat_test_image.h"
#include "window/build_commands.h"

namespace {

struct Client {
  const char* what;
  const char* bootFile;
  const char* nic;
  std::vector<std::string> keys;  // typed once the menu shows
  const char* expected;
};
void PrintTo(const Client& client, std::ostream* out) { *out << client.what; }

class NetbootBootTest : public ::testing::TestWithParam<Client> {};

TEST_P(NetbootBootTest, BootsTheImageOfItsCard) {
  const std::string sample = SampleFolder();
  ASSERT_FALSE(sample.empty()) << "sample folder not found from " << __FILE__;
  TempFolder program;
  TempFolder tftp;
  // SYSLINUX's installer must leave a volume the build and fsck.fat take as
  // sound.
  MakeBootableTemplate(sample + "\\BootDisk", program / "BootDisk.img");
  ASSERT_EQ(CheckWithFsck(program / "BootDisk.img"), 0);
  // Two cards the library knows by their ids, one it does not.
  CardList list;
  FakeMainView view;
  const struct {
    const char* card;
    const char* driver;
    const char* ids;
  } cards[] = {{"REALTEK", "RTL8139.DOS", "PCI\\VEN_10EC&DEV_8139"},
               {"INTEL", "E1000.DOS", "PCI\\VEN_8086&DEV_100E&SUBSYS_001E8086"},
               {"PRO100", "E100B.DOS", nullptr}};
  for (const auto& c : cards) {
    const std::string folder = program / ("driver\\" + std::string(c.card));
    WriteTestFile(folder + "\\" + c.driver, "placeholder driver");
    if (c.ids != nullptr) WriteTestFile(folder + "\\WINDRV.INF", std::string("[Models]\r\n%NIC%=Install,") + c.ids);
    list.Append({list.Count(), c.card, folder + "\\" + c.driver});
    view.rows.push_back(c.card);
  }
  view.AnswerTargetPath(tftp.path());
  CreateNetbootFolder(view, list, program.path());
  // The single image of the second card, at the server's root.
  view.selected = 1;
  view.AnswerTargetPath(tftp.path());
  CreateBootImage(view, list, program.path());
  ASSERT_EQ(view.BoxTexts().size(), 2u);
  ASSERT_EQ(view.boxes[0].caption, "创建成功");
  ASSERT_EQ(view.boxes[1].text, "启动镜像创建成功！");
  WriteTestFile(tftp / "single.ipxe", "#!ipxe\nkernel memdisk floppy\ninitrd BootDisk.img\nboot\n");
  LayOutPxeLinux(tftp.path());
  WriteTestFile(tftp / "pxelinux.cfg\\default", "DEFAULT tovrell\nLABEL tovrell\n  KERNEL menu.c32\n  APPEND netboot/menu.cfg\n");

  const Client& client = GetParam();
  std::string screen;
  EXPECT_TRUE(BootShows({tftp.path(), client.bootFile, client.nic, client.keys.empty() ? "" : "Tovrell network boot",
                         client.keys, client.expected},
                        &screen))
      << screen;
}

INSTANTIATE_TEST_SUITE_P(
    Clients, NetbootBootTest,
    ::testing::Values(Client{"IpxeRtl8139", "netboot/menu.ipxe", "rtl8139", {}, "DriverName=RTL8139$"},
                      Client{"IpxeE1000", "netboot/menu.ipxe", "e1000", {}, "DriverName=E1000$"},
                      // A card no package names (pcnet, 1022:2000) gets the menu; local boot is its default.
                      Client{"IpxeMenu", "netboot/menu.ipxe", "pcnet", {"up", "ret"}, "DriverName=E100B$"},
                      Client{"PxeLinuxMenu", "pxelinux.0", "rtl8139", {"home", "down", "down", "down", "ret"},
                             "DriverName=E100B$"},
                      // BootDisk.img of the Intel card, whatever card boots it.
                      Client{"SingleImage", "single.ipxe", "rtl8139", {}, "DriverName=E1000$"}),
    [](const auto& row) { return std::string(row.param.what); });

}  // namespace
