// Booting a virtual PC from the network in QEMU (software emulation, no
// window) and reading its text screen, for the tests that boot what the
// program builds: through the iPXE of QEMU's network card ROM, or through
// Debian's PXELINUX. Native only: it runs Linux programs (QEMU, SYSLINUX,
// the FAT tools, python3).
#pragma once

#include <string>
#include <vector>

// One boot: QEMU's user-mode network serves `tftpRoot` over TFTP and offers
// `bootFile` (relative to it) as the DHCP boot file to a card of model `nic`
// ("rtl8139" is PCI 10ec:8139, "e1000" 8086:100e). Once `keysAfter` is on
// screen, `keys` (QEMU key names: "down", "ret" ...) are typed one by one;
// then the boot succeeds when `expected` is on screen.
struct NetworkBoot {
  std::string tftpRoot;
  std::string bootFile;
  std::string nic = "rtl8139";
  std::string keysAfter;
  std::vector<std::string> keys;
  std::string expected;
  int timeoutSeconds = 90;
};

// Runs the boot with tests/boot/qemu_screen.py; true when `expected` was
// seen in time. `*screen` gets the last screen read (80x25 text) and, when
// it failed, what the harness said. QEMU is ended either way.
bool BootShows(const NetworkBoot& boot, std::string* screen);

// Makes `imagePath` with tests/boot/make_boot_image.sh from the template
// folder: a 1.44 MB FAT12 floppy whose SYSLINUX shows its own
// NET\PROTOCOL.INI once booted. Throws when a tool fails.
void MakeBootableTemplate(const std::string& templateFolder, const std::string& imagePath);

// Puts Debian's pxelinux.0, ldlinux.c32, menu.c32, libutil.c32 and memdisk
// into `tftpRoot`. Throws when one cannot be copied.
void LayOutPxeLinux(const std::string& tftpRoot);
