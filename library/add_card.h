// Adding a card: making a new card of the driver library from a driver file
// the user chose (in the add-driver dialog, or on the command line).
#pragma once

#include <string>

#include "library/card_list.h"
#include "work/outcome.h"

// What the add did: the card added, for the list, when it succeeded.
struct AddCardOutcome : Outcome {
  std::string cardName;    // the card's name, its folder's
  std::string driverPath;  // its driver file in the library
};

// Given the driver file and the card name as typed, copies the
// whole folder holding the driver file into <programFolder>\driver\<card
// name>\ (creating both folders as needed) and renames the copied top-level
// PROTOCOL.INI to <DRV>.INI (DRV being the driver file's name up to its last
// dot; an <DRV>.INI that came with the package is replaced); the card is
// then named in the outcome (its name and card folder + driver file name),
// for the caller to list last. The typed name loses its leading white space
// only, the typed path its trailing white space.
//
// Refused (a refusal notice) before anything is written: a name that is not one
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
// the copy fails (its failures noted) or PROTOCOL.INI cannot be renamed
// (a file error), the card folder goes again if this add created it (as
// does a driver folder this add created, once empty), and no card is named.
// A card folder that existed before is used as it is and left in place on
// failure.
AddCardOutcome AddCardToLibrary(const std::string& programFolder, const CardList& cards,
                                const std::string& typedDriverPath, const std::string& typedName);
