// What a PROTOCOL.INI says about its network card. The Protocol Manager's
// own section names its device PROTMAN$; a protocol's section (and
// NDISHLP's) binds to the card sections its BINDINGS= names; a card's
// section names its driver's device in DriverName= and binds to nothing.
// So a card section has a DriverName line (a template may leave it empty,
// for the build to fill), none naming a device of the client's own
// (IsClientDevice), and no BINDINGS key. Keys are matched with letter case
// ignored, values and section names as the client reads them
// (text::ClientValue: quotes and blanks removed, any letter case). Each
// function indexes the file's sections once: its time grows with the
// file, not with the file times its sections.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/ini_lines.h"

// True when `name`, read as the client reads a value, is the device of the
// Protocol Manager, of a protocol or of a helper driver the DOS network
// client ships, never a card's.
bool IsClientDevice(std::string_view name);

struct CardSection {
  std::string name;                               // as first written
  std::vector<const text::IniLine*> driverNames;  // its DriverName lines, in file order
};

// Every card section, in file order.
std::vector<CardSection> CardSections(const std::vector<text::IniLine>& lines);

// The DriverName line of the card the protocols use (the first of its
// section): the section the first BINDINGS= value naming a section of the
// file names (nullptr when that section is no card section: the client
// would find no driver there); where no BINDINGS= names a section of the
// file, the first card section. nullptr when there is none.
const text::IniLine* BoundCardDriverNameLine(const std::vector<text::IniLine>& lines);
