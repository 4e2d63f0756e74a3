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

// How much of the cards the table could hold.
struct BootTableFit {
  std::size_t cards = 0;                // the first `cards` cards are in it; the rest did not fit at all
  std::vector<std::size_t> idsLeftOut;  // cards written without their ids: the menu only
};

// The table's text, never longer than kBootTableMaxBytes: a comment saying
// what it is, "NAME <base>" when `nameBase` is not empty, then one
// "CARD <folder> <driver> <ids> <title>" line per card in order, ids as
// "vvvv:dddd" joined by commas ("-" for none), a title cut to kMaxTitle
// characters. Cards past those whose lines without ids fill the table are
// left out; the ids of a card are written while they fit in the line
// (kBootTableMaxLine) and in what is left of the table once every card
// taken has its line, in card order; a card whose ids do not fit is
// written without them. `*fit` says which.
std::string BootTableText(const std::vector<BootTableCard>& cards, const std::string& nameBase, BootTableFit* fit);

// The longest title written: the menu shows up to 75 characters, 36 in
// two columns.
constexpr std::size_t kMaxTitle = 60;
