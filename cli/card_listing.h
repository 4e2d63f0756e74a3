// The line `list` prints for a card: what every build will write for it and
// what the network boot menus know it by, read from its package as the
// builds read it.
#pragma once

#include <string>

#include "library/card_entry.h"

// Five fields with a tab between them:
//   the card's name;
//   its driver file below the library `libraryFolder` ("3C90X\NDIS2\EL90X.DOS",
//   the full path for a driver elsewhere);
//   the device name the builds write as DriverName= (DeviceNameOfCard), or,
//   where the builds refuse it, "refused: " and why (CheckDeviceName);
//   where the name comes from: the file's name (the card INI, OEMSETUP.INF),
//   or "file name" for the driver file's name plus "$";
//   the card's PCI ids ("10EC:8139 10EC:8138 (PCIIDS.INF)"), each INF file's
//   after them, "; " between INF files; "-" for none.
// Paths in the port's form. Reads only.
std::string CardListingLine(const CardEntry& card, const std::string& libraryFolder);
