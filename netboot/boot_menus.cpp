#include "netboot/boot_menus.h"

#include <cstdio>

namespace {

const char kTitle[] = "Tovrell network boot - choose the network card";

// iPXE's busid of a PCI card: bus type 01, then vendor and device, as
// lower-case hexadecimal bytes.
std::string BusId(const PciId& id) {
  char text[32];
  std::snprintf(text, sizeof text, "01:%02x:%02x:%02x:%02x", id.vendor >> 8, id.vendor & 0xFF, id.device >> 8,
                id.device & 0xFF);
  return text;
}

const char* MemdiskMode(bool hardDisk) { return hardDisk ? "harddisk" : "floppy"; }

const char kDetect[] = "Detect the network card";

}  // namespace

std::string PxeLinuxMenu(const std::vector<MenuEntry>& entries, const UniversalEntry* all) {
  std::string menu =
      "# Tovrell network boot menu: one entry per network card of the driver library.\n"
      "# Run it from pxelinux.cfg/default with an entry such as\n"
      "#   LABEL tovrell\n"
      "#     MENU LABEL Tovrell network boot\n"
      "#     KERNEL menu.c32\n"
      "#     APPEND netboot/menu.cfg\n"
      "# memdisk, menu.c32 and libutil.c32 (from syslinux) lie beside pxelinux.0.\n"
      "MENU TITLE " + std::string(kTitle) + "\nTIMEOUT 300\n\n";
  if (all != nullptr) {
    menu += "LABEL all\n  MENU LABEL " + std::string(kDetect) + "\n  MENU DEFAULT\n  KERNEL memdisk\n  INITRD netboot/" +
            all->imageName + "\n  APPEND " + MemdiskMode(all->hardDisk) + "\n\n";
  }
  for (const MenuEntry& entry : entries) {
    menu += "LABEL " + entry.label + "\n  MENU LABEL " + entry.title + "\n  KERNEL memdisk\n  INITRD netboot/" +
            entry.imageName + "\n  APPEND " + MemdiskMode(entry.hardDisk) + "\n\n";
  }
  menu += std::string("LABEL local\n  MENU LABEL Boot from local disk\n") + (all == nullptr ? "  MENU DEFAULT\n" : "") +
          "  LOCALBOOT 0\n";
  return menu;
}

std::string IpxeMenu(const std::vector<MenuEntry>& entries, const UniversalEntry* all) {
  std::string script =
      "#!ipxe\n"
      "# Tovrell network boot: boots the image made for the booting network card,\n"
      "# found by its PCI vendor and device ids; any other card gets a menu.\n"
      "# Run it from an iPXE script with:  chain netboot/menu.ipxe\n"
      "# memdisk (from syslinux) lies at the server's root, beside netboot/.\n\n";
  for (const MenuEntry& entry : entries) {
    for (const PciId& id : entry.ids) {
      script += "iseq ${netX/busid} " + BusId(id) + " && goto " + entry.label + " ||\n";
    }
  }
  script += "\n:menu\nmenu " + std::string(kTitle) + "\n";
  if (all != nullptr) script += "item all " + std::string(kDetect) + "\n";
  for (const MenuEntry& entry : entries) script += "item " + entry.label + " " + entry.title + "\n";
  script +=
      "item --gap\n"
      "item local Boot from local disk\n"
      "choose --timeout 30000 --default local target && goto ${target} || goto local\n\n";
  const auto boot = [&](const std::string& label, bool hardDisk, const std::string& imageName) {
    script += ":" + label + "\nkernel ../memdisk " + MemdiskMode(hardDisk) + " || goto failed\ninitrd " + imageName +
              " || goto failed\nboot || goto failed\n\n";
  };
  if (all != nullptr) boot("all", all->hardDisk, all->imageName);
  for (const MenuEntry& entry : entries) boot(entry.label, entry.hardDisk, entry.imageName);
  script +=
      ":failed\n"
      "echo The image could not be loaded. memdisk must lie in the server root folder.\n"
      "prompt --timeout 10000 Press any key for the menu ||\n"
      "goto menu\n\n"
      ":local\n"
      "exit\n";
  return script;
}
