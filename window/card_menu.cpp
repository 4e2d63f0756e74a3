#include "window/card_menu.h"

bool CardMenuItemsEnabled(MainView& view) { return view.SelectedRow() >= 0; }

bool LibraryMenuItemsEnabled(MainView& view) { return view.RowCount() > 0; }
