// What a PROTOCOL.INI says about its network card. The Protocol Manager's
// own section names its device PROTMAN$; a protocol's section (and
// NDISHLP's) binds to the card sections its BINDINGS= names; a card's
// section names its driver's device in DriverName= and binds to nothing.
// So a card section has a DriverName line whose value is not PROTMAN$ (a
// template may leave it empty, for the build to fill), and no BINDINGS key.
// Keys and PROTMAN$ are matched with letter case ignored.
#pragma once

#include <vector>

#include "text/ini_lines.h"

// The DriverName line of every card section, in file order (one per
// section: its first).
std::vector<const text::IniLine*> CardDriverNameLines(const std::vector<text::IniLine>& lines);

// The DriverName line of the card the protocols use: the section the first
// BINDINGS= value naming a section of the file names (nullptr when that
// section is no card section: the client would find no driver there);
// where no BINDINGS= names a section of the file, the first card section.
// nullptr when there is none.
const text::IniLine* BoundCardDriverNameLine(const std::vector<text::IniLine>& lines);
