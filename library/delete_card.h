// The "删除网卡" command: removing the selected card from the driver library,
// the card list and the NicList.
#pragma once

#include <string>

#include "library/nic_list.h"
#include "view/main_view.h"

// Deletes the card of the selected row, without asking.
//
// On disk: when the card folder (the folder that directly holds the driver
// file) holds no other card, neither a sub-folder nor another driver file
// (*.dos), the whole folder goes; otherwise only the driver file and
// <folder>\<DRV>.INI go, exactly those two entries, and the sub-folders,
// the other cards' files and every other file stay. Nothing outside the
// card folder is touched, a sibling whose name begins with the card's name
// included; a link is removed as a link. A card folder that does not lie
// strictly inside <programFolder>\driver\ once links are followed is refused
// with a message before anything is removed, and the row and entry stay.
//
// A removal that fails is reported through the view's application box and
// the command goes on: the row and the entry are removed all the same, and
// what stayed on disk is listed again at the next start. Afterwards every
// other entry whose driver file is gone from the disk leaves too, with its
// row, so each row names a card that exists; the entries behind a removed
// one carry rowIndex one lower, in step with the rows, no row is selected
// and the driver name field is empty.
//
// With no rows, no selection, or no entry for the selected row, nothing
// changes (the first two say so).
void DeleteCard(MainView& view, NicList* nicList, const std::string& programFolder);
