// The "添加网卡" command: making a new card of the driver library from a
// driver file the user chose in the add-driver dialog.
#pragma once

#include <string>

#include "library/nic_list.h"
#include "view/main_view.h"

// Asks for the driver file and the card name (AskDriver), then copies the
// whole folder holding the driver file into <programFolder>\driver\<card
// name>\ (creating both folders as needed), renames the copied top-level
// PROTOCOL.INI to <DRV>.INI (DRV being the driver file's name up to its last
// dot; an <DRV>.INI that came with the package is replaced) and shows the
// card as a new last row with a new last NicEntry {row, name, card folder +
// driver file name}. The typed name loses its leading white space only.
//
// Refused with a message before anything is written: a name that is not one
// valid folder name (CheckCardName), a name that names an existing card's
// folder (letter case ignored) with "要添加的网卡已经存在!", a driver path
// that is not the absolute path of an existing file with a dot in its name
// (the path is used in its full form, so doubled or forward slashes and "."
// or ".." parts name the file they lead to), and a driver file whose folder
// holds the program folder or the driver library, which the copy would
// copy into itself; and a card folder that is a link or does not lie inside
// the library once links are followed, so that nothing is written outside
// the library. The copy follows no link of the package into the package,
// the card folder or the library (CopyTree), and fails instead.
//
// A failed add leaves no half card: when the card folder cannot be made,
// the copy fails (CopyTree has said so) or PROTOCOL.INI cannot be renamed
// (reported as a file error), the card folder goes again if this add created
// it (as does a driver folder this add created, once empty), and neither a
// row nor an entry is added, so rows and entries stay paired. A card folder
// that existed before is used as it is and left in place on failure.
void AddCard(MainView& view, NicList* nicList, const std::string& programFolder);
