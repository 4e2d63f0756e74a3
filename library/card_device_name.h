// The DOS device name a card's driver registers at boot (a name in double
// quotes is taken without them). The Protocol
// Manager binds the driver whose device bears the name PROTOCOL.INI gives
// in DriverName=, so a boot medium is only as good as that name. Most
// drivers register their file's base name followed by "$", but some do
// not (the NE2000 driver of the DOS network client registers MS2000$), and
// a driver package says which name its driver uses.
#pragma once

#include <string>

struct CardDeviceName {
  std::string name;    // as the package spells it; "" when none can be had
  std::string source;  // the file it was read from; "" for the driver file's name
};

// The device name for the driver file `driverPath` of the library, the
// first of:
// 1. the card INI beside it (<DRV>.INI, the package's PROTOCOL.INI, read as
//    DOS text): the DriverName of a card section (CardDriverNameLines), the
//    one equal to the base name followed by "$" (letter case ignored) where
//    several are listed, else the first;
// 2. OEMSETUP.INF beside it (name in any letter case): drivername= of the
//    section of the [netcard] entry whose other section names this driver
//    file (device=, devdir=, ndis2= or any other key);
// 3. DeviceNameFromFileName of the driver file's name.
// Reads only.
CardDeviceName DeviceNameOfCard(const std::string& driverPath);

// The name most drivers register: the file name's base name (the text
// before its last dot), white space trimmed, followed by "$"; "" when the
// name has no dot. "E100B.DOS" gives "E100B$".
std::string DeviceNameFromFileName(const std::string& driverFileName);

// "" when `device.name` can be a DOS device name: at most 8 characters,
// the "$" included, no blank; or when there is none (which the rewrite of
// PROTOCOL.INI reports where it needs one). Otherwise the message that refuses a build with
// it: the driver, the name, where it came from, and how to put it right.
std::string CheckDeviceName(const CardDeviceName& device, const std::string& driverPath);
