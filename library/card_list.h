// Filling the card list at start-up.
#pragma once

#include <string>

#include "library/nic_list.h"
#include "view/main_view.h"

// Empties the rows, scans `libraryFolder` into the (empty) `nicList`, shows
// one row per entry (row i showing the entry with rowIndex i) and disables
// the build buttons, since no row is selected yet.
void FillCardList(MainView& view, NicList* nicList, const std::string& libraryFolder);

// Shows the entries of `nicList` as the rows, replacing all rows, and
// selects row `selectRow` (none when it is -1). Row i shows the entry with
// rowIndex i.
void RefillRows(MainView& view, const NicList& nicList, int selectRow);
