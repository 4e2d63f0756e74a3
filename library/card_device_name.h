// The DOS device name a card's driver registers at boot. The Protocol
// Manager binds the driver whose device bears the name PROTOCOL.INI gives
// in DriverName=, so a boot medium is only as good as that name. Most
// drivers register their file's base name followed by "$", but some do
// not (the NE2000 driver of the DOS network client registers MS2000$), and
// a driver package says which name its driver uses.
#pragma once

#include <string>

struct CardDeviceName {
  std::string name;    // as the package spells it, read as the client reads
                       // a value (quotes and blanks removed); "" when none can be had
  std::string source;  // the file it was read from; "" for the driver file's name
  // For a name from the driver file's name: why the package's files gave
  // none, naming each file by its full path ("" when it has neither).
  std::string why;
  // A file of the package that may name the device is there but was not
  // read (larger than a real one, or unreadable): a name from the driver
  // file's name is then a guess, which CheckDeviceName refuses.
  bool unread = false;
};

// The device name for the driver file `driverPath` of the library, the
// first of:
// 1. the card INI beside it (<DRV>.INI, the package's PROTOCOL.INI, read as
//    text in any encoding, files/package_text.h): the first non-empty
//    DriverName of each card section (CardSections), the one equal to the
//    base name followed by "$" (letter case ignored) where several are
//    listed, else the first;
// 2. OEMSETUP.INF beside it (name in any letter case, read the same way):
//    drivername= of the section of the [netcard] entry whose other section
//    names this driver file (device=, devdir=, ndis2= or any other key);
// 3. DeviceNameFromFileName of the driver file's name.
// A name of the client's own drivers (IsClientDevice) is never taken, nor
// a file larger than 1 MB read. Reads only; each file's lines are indexed
// once, so the time grows with the files' size, not its square.
CardDeviceName DeviceNameOfCard(const std::string& driverPath);

// The name most drivers register: the file name's base name (the text
// before its last dot), white space trimmed, followed by "$"; "" when the
// name has no dot. "E100B.DOS" gives "E100B$".
std::string DeviceNameFromFileName(const std::string& driverFileName);

// "" when `device.name` can be a DOS device name: 1 to 8 bytes, the "$"
// included, of the characters a DOS file name may hold (letters, digits,
// $ & # @ ! % ( ) - _ { } ~ ^ and whole double-byte characters), not "$"
// alone; or when there is none (which the rewrite of PROTOCOL.INI reports
// where it needs one). Also refused: a name from the driver file's name
// where a file of the package that may name it was not read
// (`device.unread`). Otherwise the message that refuses a build with it:
// the driver, the name, where it came from, and how to put it right; and
// in `*reason`, when given, the same in a few words.
std::string CheckDeviceName(const CardDeviceName& device, const std::string& driverPath,
                            std::string* reason = nullptr);
