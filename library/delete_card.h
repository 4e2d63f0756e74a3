// Deleting a card: removing it from the driver library and from the list of
// cards.
#pragma once

#include <string>

#include "library/card_list.h"
#include "work/outcome.h"

// What the delete did: whether the card left the list, and the list after.
struct DeleteCardOutcome : Outcome {
  bool removed = false;          // the card's entry left the list
  CardList cards;                // the list after the delete
  bool droppedOthers = false;    // other entries left too (their driver files were gone)
};

// Deletes the card of the row `row` of `cards`, without asking.
//
// On disk: when the card folder (the folder that directly holds the driver
// file) holds no other card, neither a sub-folder nor another driver file
// (*.dos), the whole folder goes; otherwise only the driver file and
// <folder>\<DRV>.INI go, exactly those two entries, and the sub-folders,
// the other cards' files and every other file stay. Nothing outside the
// card folder is touched, a sibling whose name begins with the card's name
// included; a link is removed as a link. A card folder that does not lie
// strictly inside <programFolder>\driver\ once links are followed is refused
// before anything is removed, and the entry stays.
//
// A removal that fails is noted as a failure and the delete goes on: the
// entry leaves the list all the same (the outcome is no success), and what
// stayed on disk is listed again at the next scan. Afterwards every other
// entry whose driver file is gone from the disk leaves too, so each entry
// names a card that exists; the entries behind a removed one carry rowIndex
// one lower. With no entry for `row`, nothing changes.
DeleteCardOutcome DeleteCardFromLibrary(const std::string& programFolder, const CardList& cards, int row);
