// The table the boot program TOVRELL.COM reads at boot, NET\TOVRELL.TXT:
// the cards of a medium, with the folder below NET\CARDS\ that holds each
// card's driver and INI files, its PCI ids and its title; and the base of
// the computer name each PC gets. Plain text, CR LF lines.
#pragma once

#include <string>
#include <vector>

#include "library/pci_ids.h"

// The program, in NET beside the table, and the table's name.
inline const char kBootProgramName[] = "TOVRELL.COM";
inline const char kBootTableName[] = "TOVRELL.TXT";
// The folder below NET that holds a folder per card.
inline const char kCardsFolderName[] = "CARDS";

// The most the program reads of the table, and of one line of it.
constexpr std::size_t kBootTableMaxBytes = 32 * 1024;
constexpr std::size_t kBootTableMaxLine = 8191;

struct BootTableCard {
  std::string folder;          // "001": the card's folder below NET\CARDS
  std::string driverFileName;  // its driver file there, an 8.3 name
  std::vector<PciId> ids;      // the ids that pick it at boot; none: the menu only
  std::string title;           // printable ASCII, what the menu shows
};

// The table's text: a comment saying what it is, "NAME <base>" when
// `nameBase` is not empty, then one "CARD <folder> <driver> <ids> <title>"
// line per card in order, ids as "vvvv:dddd" joined by commas ("-" for
// none). A card whose ids would take the line past kBootTableMaxLine, or the
// table past kBootTableMaxBytes, is written without ids and named in
// `*idsLeftOut` (its index in `cards`): it can then only be chosen in the
// menu.
std::string BootTableText(const std::vector<BootTableCard>& cards, const std::string& nameBase,
                          std::vector<std::size_t>* idsLeftOut);
