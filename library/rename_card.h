// Renaming a card: giving it a new name, that is, renaming the folder that
// directly holds its driver file.
#pragma once

#include <string>

#include "library/card_list.h"
#include "work/outcome.h"

// What the rename did: the list after it, once a folder was renamed.
struct RenameCardOutcome : Outcome {
  bool renamed = false;  // a folder was renamed: `cards` holds the list rescanned
  CardList cards;        // the library scanned after the rename
  int renamedRow = -1;   // the renamed card's row in `cards`, -1 if none
};

// Renames the card folder of the row `row` of `cards` within its parent
// folder to `newName` (as typed).
//
// Refused (a refusal notice), nothing changed: a name that is not one valid
// folder name (CheckCardName), a name that names another card's folder
// (letter case ignored), and a card folder that does not lie strictly inside
// <programFolder>\driver\. The card's own name changes nothing; a change of
// letter case alone renames the folder, through a temporary name where the
// file system ignores case, so the folder always ends under its old or its
// new name.
//
// When a rename fails, the file error is noted and any folder of the row
// already renamed gets its old name back. On success the list is rebuilt by
// a scan of the library, and the renamed card's row in it is named. With no
// entry for `row`, or the card's own name, nothing changes and nothing is
// said.
RenameCardOutcome RenameCardFolder(const std::string& programFolder, const CardList& cards, int row,
                                   const std::string& newName);

// The rename dialog's check before it closes with OK: a name was typed. The
// text counts as typed, white space included.
bool IsRenameNameGiven(const std::string& typed);
