// Which PCI network cards a card of the library answers to, as its driver
// package says: driver CDs ship Windows driver INF files beside the DOS
// driver, whose hardware ids "PCI\VEN_8086&DEV_100E&SUBSYS_…" name the
// vendor and device. A technician gives a card ids by putting a small INF
// file with such lines into its folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct PciId {
  std::uint16_t vendor = 0;
  std::uint16_t device = 0;
  bool operator==(const PciId& other) const { return vendor == other.vendor && device == other.device; }
};

// Every "PCI\VEN_xxxx&DEV_yyyy" of the INF file whose bytes are `bytes`,
// each id once, in the order first met: letter case ignored, the id's
// parts of exactly four hexadecimal digits each (no letter, digit or '_'
// right before "PCI" or right after the device's digits; what follows a
// '&' or '\' after it is ignored). Read as Windows reads the file
// (text::InfTextOutsideStrings): none in comments, none in quoted strings,
// which are text, not hardware ids. UTF-16 and UTF-8 files are read too
// (text::FileText).
std::vector<PciId> PciIdsInText(std::string_view bytes);

// The ids of the driver file `driverPath`: those of every *.INF file beside
// it, in listing order, each once. A folder holding the drivers of several
// cards cannot say which INF is whose: there only <DRV>.INF, named after
// the driver, counts. An INF larger than 1 MB (files/package_text.h) is
// not read and gives none. Reads only.
std::vector<PciId> PciIdsOfCard(const std::string& driverPath);

// The same ids by the INF file that first names them, for showing where a
// card's ids come from: the INF files that give some, in listing order.
struct InfPciIds {
  std::string infPath;
  std::vector<PciId> ids;
};
std::vector<InfPciIds> PciIdsOfCardByInf(const std::string& driverPath);
