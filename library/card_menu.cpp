#include "library/card_menu.h"

bool CardMenuItemsEnabled(MainView& view) { return view.SelectedRow() >= 0; }
