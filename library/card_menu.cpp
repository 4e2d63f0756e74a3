#include "library/card_menu.h"

bool CardMenuItemsEnabled(port::MainView& view) { return view.SelectedRow() >= 0; }
