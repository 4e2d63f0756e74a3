// The main window's commands on the driver library: the details pane, and
// adding, deleting and renaming a card. Each asks what it needs in the
// window's dialogs, calls the core with plain data, shows the outcome in the
// message boxes and brings the card list and its rows up to date.
#pragma once

#include <string>

#include "library/card_list.h"
#include "window/main_view.h"

// The details pane, refreshed on every change of the card list's selection:
// blanks the driver name and the protocol text; with no rows, stops there.
// Otherwise gives the focus to the list and switches the build buttons with
// the selection (no selection: disabled, and stop). For the selected card
// shows what DetailsOf gives. Reads only.
void ShowCardDetails(MainView& view, const CardList& cards);

// "添加网卡": asks for the driver file and the card name (AskDriver), adds
// the card (AddCardToLibrary; refusals with caption "添加错误") and shows it
// as a new last row with a new last entry {row, name, driver path}. A
// failed add adds neither a row nor an entry, so rows and entries stay
// paired.
void AddCard(MainView& view, CardList* cards, const std::string& programFolder);

// "删除网卡": deletes the card of the selected row, without asking
// (DeleteCardFromLibrary; refusals with caption "删除错误"). The row and the
// entry go even when a removal failed (said in the application's box); rows
// of other entries whose driver file was gone go too, the rows refilled,
// no row is selected and the driver name field is empty. With no rows or no
// selection, nothing changes and the window's box says so; with no entry
// for the selected row, nothing changes.
void DeleteCard(MainView& view, CardList* cards, const std::string& programFolder);

// "修改名称": asks for the new name and renames the selected card
// (RenameCardFolder; refusals with caption "修改错误", failures as file
// errors). On success the list is the rescanned library, the rows are
// refilled from it (row i showing the entry with rowIndex i) and the
// renamed card's row is selected; otherwise the rows and the list stay. With
// no rows, no selection, no entry for the selected row, or a cancelled
// dialog, nothing changes (the first two say so).
void RenameCard(MainView& view, CardList* cards, const std::string& programFolder);
