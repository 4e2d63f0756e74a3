// The entries of the network boot folder's menus: one per card that got an
// image, in the order of the card list, with what the menus show, the image
// they boot and the PCI ids that boot it with no one at the keyboard.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "bootdisk/card_title.h"
#include "library/pci_ids.h"

// A card that got an image, as the build knows it.
struct BuiltCard {
  int row = 0;                 // its row in the card list
  std::string cardName;        // the row's text
  std::string driverFileName;  // "RTL8139.DOS"
  bool hardDisk = false;       // an image with a master boot record, not a floppy
  std::vector<PciId> ids;      // the ids its package names
};

struct MenuEntry {
  std::string label;      // "card1", "card2" …: unique, for the menus' own use
  std::string title;      // printable ASCII: PXELINUX and iPXE menus cannot show Chinese
  std::string imageName;  // "RTL8139.IMG", in the netboot folder
  bool hardDisk = false;
  std::vector<PciId> ids;  // those no card before it claimed
};

// The entries, made one card at a time as the build makes the images, so
// that each image's name is known when it is written and no card's entry is
// worked out twice.
//
// The image file name: the driver file's base name in upper case followed
// by ".IMG", the later cards of one base name getting "-2", "-3" …
// (skipping a name another card already has, so no two images share one); a
// base name that is not plain letters, digits, '-' and '_' starting with a
// letter or digit (a server's file name must match the menus' byte for
// byte, and iPXE would read "-NIC.IMG" as an option) gives "CARD<row>.IMG"
// instead.
//
// The title: CardTitles, the image's name where neither the card's nor its
// driver's can be shown.
//
// An id two cards claim boots the first of them.
class MenuEntries {
 public:
  // Adds the entry of `card`, the next card that got an image.
  const MenuEntry& Add(const BuiltCard& card);
  // Every entry added, in order, titles made unique.
  std::vector<MenuEntry> Entries() const;
  std::size_t size() const { return entries_.size(); }

 private:
  std::vector<MenuEntry> entries_;
  std::vector<TitleSource> titles_;
  std::map<std::string, int> imagesOfBase_;
  std::set<std::string> imageNames_;
  std::set<std::pair<unsigned, unsigned>> claimed_;
};

// The entries of `cards` (MenuEntries, every card added in order).
std::vector<MenuEntry> MenuEntriesOf(const std::vector<BuiltCard>& cards);
