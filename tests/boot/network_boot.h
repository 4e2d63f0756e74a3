// Booting a virtual PC in QEMU (software emulation, no window) and reading
// its text screen, for the tests that boot what the program builds: from
// the network through the iPXE of QEMU's network card ROM or Debian's
// PXELINUX, or from a floppy image on a real DOS. Native only: it runs
// Linux programs (QEMU, SYSLINUX, the FAT tools, python3).
#pragma once

#include <string>
#include <vector>

// One boot: QEMU's user-mode network serves `tftpRoot` over TFTP and offers
// `bootFile` (relative to it) as the DHCP boot file to a card of model `nic`
// ("rtl8139" is PCI 10ec:8139, "e1000" 8086:100e, "pcnet" 1022:2000,
// "i82557b" 8086:1229); or, with `floppy`, the PC boots that floppy image
// (write-protected with `readonly`), the card on its PCI bus. Once
// `keysAfter` is on screen, `keys` (QEMU key names: "down", "ret", "2" ...)
// are typed one by one; then the boot succeeds when `expected` is on screen.
struct QemuBoot {
  std::string tftpRoot;
  std::string bootFile;
  std::string nic = "rtl8139";
  std::string keysAfter;
  std::vector<std::string> keys;
  std::string expected;
  int timeoutSeconds = 90;
  std::string floppy{};
  bool readonly = false;
};

// Runs the boot with tests/boot/qemu_screen.py; true when `expected` was
// seen in time. `*screen` gets the last screen read (80x25 text) and, when
// it failed, what the harness said. QEMU is ended either way.
bool BootShows(const QemuBoot& boot, std::string* screen);

// Makes `imagePath` with tests/boot/make_boot_image.sh from the template
// folder: a 1.44 MB FAT12 floppy whose SYSLINUX shows its own
// NET\PROTOCOL.INI once booted. Throws when a tool fails.
void MakeBootableTemplate(const std::string& templateFolder, const std::string& imagePath);

// The FreeDOS boot floppy the tests boot DOS programs with (kernel and
// shell only): TOVRELL_FREEDOS_IMG, else shared/freedos/freedos-boot.img
// beside the repository; "" when there is none.
std::string FreeDosImage();

// Puts Debian's pxelinux.0, ldlinux.c32, menu.c32, libutil.c32 and memdisk
// into `tftpRoot`. Throws when one cannot be copied.
void LayOutPxeLinux(const std::string& tftpRoot);
