// The "修改名称" command: giving the selected card a new name, that is,
// renaming the folder that directly holds its driver file.
#pragma once

#include <string>

#include "library/nic_list.h"
#include "view/main_view.h"

// Asks for the new name and renames the card folder of the selected row
// within its parent folder.
//
// Refused with a message, nothing changed: a name that is not one valid
// folder name (CheckCardName), a name that names another card's folder
// (letter case ignored), and a card folder that does not lie strictly inside
// <programFolder>\driver\. The card's own name changes nothing; a change of
// letter case alone renames the folder, through a temporary name where the
// file system ignores case, so the folder always ends under its old or its
// new name.
//
// When a rename fails, the file error is reported, any folder of the row
// already renamed gets its old name back, and the rows and the NicList stay
// as they were. On success the NicList is rebuilt by a scan of the library,
// the rows are refilled from it (row i showing the entry with rowIndex i)
// and the renamed card's row is selected.
//
// With no rows, no selection, no entry for the selected row, or a cancelled
// dialog, nothing changes (the first two say so).
void RenameCard(MainView& view, NicList* nicList, const std::string& programFolder);

// The rename dialog's check before it closes with OK: a name was typed. The
// text counts as typed, white space included.
bool IsRenameNameGiven(const std::string& typed);
