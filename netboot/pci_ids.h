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

// Every "PCI\VEN_xxxx&DEV_yyyy" in `text` (letter case ignored, any suffix
// after the device ignored) outside comments (from ';' to the line's end),
// each id once, in the order first met. Text in UTF-16 (with its byte order
// mark, as Windows INF files often are) is read too.
std::vector<PciId> PciIdsInText(std::string_view text);

// The ids of the driver file `driverPath`: those of every *.INF file beside
// it, in listing order, each once. A folder holding the drivers of several
// cards cannot say which INF is whose: there only <DRV>.INF, named after
// the driver, counts. Reads only.
std::vector<PciId> PciIdsOfCard(const std::string& driverPath);
