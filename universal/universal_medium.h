// One medium for every card of the library: the template's NET set up for
// the first card (so the medium works as a one-card medium if the boot
// program never runs), and for every card a folder NET\CARDS\<nnn>\ of its
// own with its driver and its SYSTEM.INI and PROTOCOL.INI; the boot program
// NET\TOVRELL.COM with its table NET\TOVRELL.TXT, and AUTOEXEC.BAT running
// it first. What the folder build and the image build both write, worked
// out once in memory.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "bootdisk/boot_config_text.h"
#include "bootdisk/boot_program_files.h"
#include "bootdisk/medium_identity.h"
#include "library/card_list.h"
#include "library/pci_ids.h"
#include "work/progress.h"

// The template's files the medium is made from, as the folder or the image
// holds them.
struct UniversalTemplate {
  std::string systemIni;     // NET\SYSTEM.INI
  std::string protocolIni;   // NET\PROTOCOL.INI
  std::string autoexecPath;  // AUTOEXEC.BAT, below the medium's root, as the template spells it
  std::string autoexec;
};

// A card on the medium.
struct UniversalCard {
  CardEntry card;
  MediaCard media;
  std::string folder;  // "001", below NET\CARDS
  std::vector<PciId> ids;
  std::string title;
  bool menuOnly = false;  // no ids, or the table had no room for them
};

// A card left off the medium, and why, in a few words.
struct LeftOutCard {
  CardEntry card;
  std::string reason;
};

struct UniversalMedium {
  std::vector<UniversalCard> cards;  // in the card list's order
  std::vector<LeftOutCard> leftOut;
  std::vector<std::string> folders;  // "NET\CARDS", "NET\CARDS\001" …, to make before the files
  std::vector<MediumFile> files;     // every file the medium gets, the template's replaced ones included
};

// The most cards a medium takes: the folders are numbered 001 to 999.
constexpr std::size_t kMaxUniversalCards = 999;

// Works the medium out from `tmpl` and the cards of `cards`: a card whose
// driver file name DOS cannot load or whose device name cannot be right
// (MediaCardOf), whose driver cannot be read, or past the 999th, is left out
// with its reason; every other card gets its folder (numbered in order), its
// files (its driver's bytes; the template's SYSTEM.INI and PROTOCOL.INI
// rewritten for it, RewriteBootConfigText), its PCI ids (PciIdsOfCard) and
// its title (CardTitles); NET gets the first card's driver and files,
// the table (BootTableText, naming the computer name's base when each PC
// gets a name of its own) and the program (BootProgramFiles); the INI
// files carry `identity`;
// AUTOEXEC.BAT gets the line that runs it (AddBootProgramLine). Reports a
// step per card read. False when the user cancelled. Reads only.
bool PlanUniversalMedium(const CardList& cards, const UniversalTemplate& tmpl, const MediumIdentity& identity,
                         Progress& progress, UniversalMedium* medium);

// "" when the template can take a universal medium; otherwise why not, as
// the rest of a sentence about the template: no AUTOEXEC.BAT (`hasAutoexec`
// false: nothing would run the program), or a NET that holds CARDS,
// TOVRELL.COM or TOVRELL.TXT already (`netHolds` answers for a name, letter
// case ignored: a universal medium used as a template would mix its old
// cards in).
std::string UniversalTemplateProblem(bool hasAutoexec, const std::function<bool(const std::string&)>& netHolds);

// The end of the success message of a universal build: how many cards,
// how many chosen at boot by their PCI ids and how many through the menu
// only, each PC's own computer name (UniqueNameNote), and the cards left
// out with their reasons.
std::string UniversalSummary(const UniversalMedium& medium, const MediumIdentity& identity);
// The cards left out, one a line, each after a line break: the first 20,
// and how many more.
std::string LeftOutLines(const std::vector<LeftOutCard>& leftOut);
