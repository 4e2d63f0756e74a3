// The card list's context menu: whether its commands, "修改名称",
// "删除网卡" and "创建启动镜像...", can be chosen.
#pragma once

#include "view/main_view.h"

// True when a row of the card list is selected; the menu greys every item
// otherwise. Looks only at the selection; changes nothing.
bool CardMenuItemsEnabled(MainView& view);
