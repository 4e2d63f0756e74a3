// The universal medium booted on a real DOS: a universal image and a
// universal USB folder, made from a FreeDOS template whose AUTOEXEC.BAT ends
// by typing NET\PROTOCOL.INI, put each PC's own card in place with no key
// pressed; a card the library does not know gets the boot program's menu;
// a write-protected floppy says so and boots on with the first card; the
// network boot folder's ALL.IMG, PXELINUX's default, does the same; and each
// boot gives the PC a computer name of its own.
#include <gtest/gtest.h>

#include <regex>

#include "core/card_command_fixture.h"
#include "media/build_kind.h"
#include "network_boot.h"
#include "support/fat_test_image.h"

namespace {

enum class Medium { kImage, kUsbFolder, kNetboot };

struct Client {
  const char* what;
  Medium medium;  // the USB folder is put onto a floppy; the network boot folder served to PXELINUX
  const char* nic;
  bool readonly;
  std::vector<std::string> keys;  // typed once the menu shows
  const char* expected;
  const char* alsoShown;
  bool showsName = false;  // AUTOEXEC.BAT types SYSTEM.INI, and the PC boots twice
};
void PrintTo(const Client& client, std::ostream* out) { *out << client.what; }

class UniversalBootTest : public ::testing::TestWithParam<Client> {};

// Copies `freeDos` to `image` and puts the files of `folder` onto it.
void DosFloppyWith(const std::string& freeDos, const std::string& folder, const std::string& image) {
  if (RunTool("cp " + ShellPath(freeDos) + " " + ShellPath(image) + " && chmod u+w " + ShellPath(image) +
              " && MTOOLS_SKIP_CHECK=1 mcopy -s -o -i " + ShellPath(image) + " " + ShellPath(folder) + "/* ::") != 0) {
    throw std::runtime_error("cannot make " + image);
  }
}

TEST_P(UniversalBootTest, ThePcPutsItsOwnCardInPlace) {
  const std::string freeDos = FreeDosImage();
  if (freeDos.empty()) GTEST_SKIP() << "no FreeDOS boot floppy (shared/freedos/freedos-boot.img or TOVRELL_FREEDOS_IMG)";
  const std::string sample = SampleFolder();
  ASSERT_FALSE(sample.empty());
  TempFolder program;
  TempFolder target;
  // The template: the sample's NET and an AUTOEXEC.BAT that shows what the
  // client would bind, as a folder and on a FreeDOS floppy.
  const Client& client = GetParam();
  CopyTestTree(sample + "\\BootDisk\\NET", program / "BootDisk\\NET");
  WriteTestFile(program / "BootDisk\\AUTOEXEC.BAT",
                client.showsName ? "@ECHO OFF\r\nTYPE \\NET\\SYSTEM.INI\r\n" : "@ECHO OFF\r\nTYPE \\NET\\PROTOCOL.INI\r\n");
  // A SYSTEM.INI short enough to stay on the screen whole.
  if (client.showsName) {
    WriteTestFile(program / "BootDisk\\NET\\SYSTEM.INI",
                  "[network]\r\ncomputername=CLONE01\r\n\r\n[network drivers]\r\nnetcard=NICDRV.DOS\r\n");
  }
  DosFloppyWith(freeDos, program / "BootDisk", program / "BootDisk.img");
  // Four cards QEMU has; a fifth it has (ne2k_pci, 10ec:8029) is not among them.
  BuildRequest request{program.path(), target.path(), std::nullopt, {}};
  const struct {
    const char* card;
    const char* driver;
    const char* ids;
  } cards[] = {{"REALTEK", "RTL8139.DOS", "PCI\\VEN_10EC&DEV_8139"},
               {"INTEL", "E1000.DOS", "PCI\\VEN_8086&DEV_100E"},
               // A driver named in the lab's own code page (网卡.DOS), as DOS allows.
               {"PCNET", "\xCD\xF8\xBF\xA8.DOS", "PCI\\VEN_1022&DEV_2000"},
               {"PRO100", "E100B.DOS", "PCI\\VEN_8086&DEV_1229"}};
  for (const auto& c : cards) {
    const std::string folder = program / ("driver\\" + std::string(c.card));
    WriteTestFile(folder + "\\" + c.driver, "placeholder driver");
    WriteTestFile(folder + "\\WINDRV.INF", std::string("[Models]\r\n%NIC%=Install,") + c.ids);
    request.cards.Append({request.cards.Count(), c.card, folder + "\\" + c.driver});
  }
  Outcome outcome;
  NoProgress progress;
  const BuildKind kind = client.medium == Medium::kImage       ? BuildKind::kUniversalImage
                         : client.medium == Medium::kUsbFolder ? BuildKind::kUniversalUsb
                                                               : BuildKind::kNetboot;
  RunBuild(kind, request, progress, &outcome);
  ASSERT_TRUE(outcome.succeeded) << outcome.notices.front().text;

  std::string screen;
  QemuBoot boot;
  boot.nic = client.nic;
  boot.keysAfter = client.keys.empty()                ? ""
                   : client.medium == Medium::kNetboot ? "Tovrell network boot"
                                                       : "Choose this PC's network card";
  boot.keys = client.keys;
  if (client.medium == Medium::kNetboot) {
    LayOutPxeLinux(target.path());
    WriteTestFile(target / "pxelinux.cfg\\default", "DEFAULT tovrell\nLABEL tovrell\n  KERNEL menu.c32\n  APPEND netboot/menu.cfg\n");
    boot.tftpRoot = target.path();
    boot.bootFile = "pxelinux.0";
  } else {
    boot.floppy = target / "BootDisk.img";
    if (client.medium == Medium::kUsbFolder) DosFloppyWith(freeDos, target / "BootDisk", boot.floppy = target / "usb.img");
    boot.readonly = client.readonly;
  }
  boot.expected = client.expected;
  EXPECT_TRUE(BootShows(boot, &screen)) << screen;
  EXPECT_NE(screen.find(client.alsoShown), std::string::npos) << screen;
  if (!client.showsName) return;
  // The same image booted again draws another name.
  const std::regex drawn("computername=CLONE01-[0-9A-Z]{6}");
  std::smatch first, second;
  ASSERT_TRUE(std::regex_search(screen, first, drawn)) << screen;
  const std::string firstName = first.str();
  ASSERT_TRUE(BootShows(boot, &screen)) << screen;
  ASSERT_TRUE(std::regex_search(screen, second, drawn)) << screen;
  EXPECT_NE(second.str(), firstName);
}

INSTANTIATE_TEST_SUITE_P(
    Clients, UniversalBootTest,
    ::testing::Values(
        Client{"ImageRtl8139", Medium::kImage, "rtl8139", false, {}, "DriverName=RTL8139$",
               "Tovrell: REALTEK (10ec:8139)"},
        Client{"ImageE1000", Medium::kImage, "e1000", false, {}, "DriverName=E1000$", "Tovrell: INTEL (8086:100e)"},
        // 网卡$ as the screen's code page 437 shows its bytes: ═°┐¿ (in UTF-8).
        Client{"ImagePcnet", Medium::kImage, "pcnet", false, {},
               "DriverName=\xE2\x95\x90\xC2\xB0\xE2\x94\x90\xC2\xBF$", "Tovrell: PCNET (1022:2000)"},
        Client{"ImageI82557b", Medium::kImage, "i82557b", false, {}, "DriverName=E100B$",
               "Tovrell: PRO100 (8086:1229)"},
        Client{"UsbFolderE1000", Medium::kUsbFolder, "e1000", false, {}, "DriverName=E1000$", "Tovrell: INTEL"},
        // A card no package names: the menu, the fourth card chosen with its key.
        Client{"ImageMenu", Medium::kImage, "ne2k_pci", false, {"4"}, "DriverName=E100B$", "Tovrell: PRO100 chosen"},
        // A write-protected floppy: said, and the client starts with the first card.
        Client{"ImageReadOnly", Medium::kImage, "e1000", true, {}, "DriverName=RTL8139$", "cannot write"},
        // Each PC a computer name of its own, another at every boot.
        Client{"ImageName", Medium::kImage, "rtl8139", false, {}, "computername=CLONE01-", "Tovrell: computer name",
               true},
        // PXELINUX's menu, Enter on its default entry: ALL.IMG through memdisk.
        Client{"NetbootAllImage", Medium::kNetboot, "i82557b", false, {"ret"}, "DriverName=E100B$",
               "Tovrell: PRO100"}),
    [](const auto& row) { return std::string(row.param.what); });

}  // namespace
