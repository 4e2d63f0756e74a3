// The card list's context menu: whether its two commands, "修改名称" and
// "删除网卡", can be chosen.
#pragma once

#include "port/main_view.h"

// True when a row of the card list is selected; the menu greys both items
// otherwise. Looks only at the selection; changes nothing.
bool CardMenuItemsEnabled(port::MainView& view);
