// The two menus of the network boot folder, as text for the programs that
// read them: a PXELINUX menu (menu.cfg, for menu.c32 or vesamenu.c32) and an
// iPXE script (menu.ipxe). Both lie in <server root>\netboot\ and name every
// file from there: the images beside them, memdisk (from the lab's own
// syslinux) at the server's root.
#pragma once

#include <string>
#include <vector>

#include "netboot/menu_entries.h"

// The universal image of the folder, ALL.IMG, every card in one image, the
// PC picking its own card at boot.
struct UniversalEntry {
  std::string imageName = "ALL.IMG";
  bool hardDisk = false;
};

// menu.cfg: a title, one entry per card booting its image through memdisk
// ("floppy", or "harddisk" for an image with a master boot record), an
// entry that boots from the local disk, and a timeout of 30 seconds. With
// `all`, its entry "Detect the network card" comes first and is the
// default, so that every PC boots its own card's client with no key
// pressed; without, the local disk is the default. PXELINUX takes every
// path, in this file too, from the folder of pxelinux.0, the server's root.
// Lines end in LF.
std::string PxeLinuxMenu(const std::vector<MenuEntry>& entries, const UniversalEntry* all = nullptr);

// menu.ipxe: boots at once the image of the card whose PCI vendor and
// device ids the booting network card has (iPXE's busid of the card it
// booted from); without a match, a menu of all cards (with `all`, "Detect
// the network card" first) with the local disk as default after 30
// seconds. iPXE takes a relative path from the script's own folder:
// memdisk is "../memdisk", an image its bare name. Lines end in LF.
std::string IpxeMenu(const std::vector<MenuEntry>& entries, const UniversalEntry* all = nullptr);
