// Filling the card list at start-up.
#pragma once

#include <string>

#include "library/card_list.h"
#include "window/main_view.h"

// Empties the rows, scans `libraryFolder` into the (empty) `cards`, shows
// one row per entry (row i showing the entry with rowIndex i) and disables
// the build buttons, since no row is selected yet.
void FillCardList(MainView& view, CardList* cards, const std::string& libraryFolder);

// Shows the entries of `cards` as the rows, replacing all rows, and
// selects row `selectRow` (none when it is -1). Row i shows the entry with
// rowIndex i.
void RefillRows(MainView& view, const CardList& cards, int selectRow);
