// What a PROTOCOL.INI says about its network card. The Protocol Manager's
// own section names its device PROTMAN$; a protocol's section (and
// NDISHLP's) binds to the card sections its BINDINGS= names; a card's
// section names its driver's device in DriverName= and binds to nothing.
// So a card section has a DriverName line whose value is not PROTMAN$, and
// no BINDINGS key. Keys and PROTMAN$ are matched with letter case ignored.
#pragma once

#include <vector>

#include "text/ini_lines.h"

// The DriverName line of every card section, in file order (one per
// section: its first).
std::vector<const text::IniLine*> CardDriverNameLines(const std::vector<text::IniLine>& lines);

// The DriverName line of the card the protocols use: the first card
// section, in the order the BINDINGS= values name them, that one of them
// names; else the first card section of the file. nullptr when there is no
// card section.
const text::IniLine* BoundCardDriverNameLine(const std::vector<text::IniLine>& lines);
