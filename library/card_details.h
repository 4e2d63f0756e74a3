// The details pane of the selected card, refreshed on every change of the
// card list's selection.
#pragma once

#include "library/nic_list.h"
#include "view/main_view.h"

// Blanks the driver name and the protocol text; with no rows, stops there.
// Otherwise gives the focus to the list and switches the build buttons with
// the selection (no selection: disabled, and stop). For the selected card
// shows its driver file name, then the text of <card folder>\<DRV>.INI as a
// text-mode read gives it (a Ctrl-Z ends the text; a line ends at a NUL),
// every line ended by CR LF (a missing or unreadable file, or one over 1 MB
// that is no card INI, shows nothing).
// Reads only.
void ShowCardDetails(MainView& view, const NicList& nicList);
