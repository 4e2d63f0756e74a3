// The card list's context menu: whether its commands can be chosen.
#pragma once

#include "window/main_view.h"

// "修改名称", "删除网卡" and "创建启动镜像..." act on the selected card: true
// when a row of the card list is selected. Looks only at the selection.
bool CardMenuItemsEnabled(MainView& view);

// "创建网络启动目录...", "创建通用U盘..." and "创建通用启动镜像..." act on the
// whole library: true when the list has a row, selected or not. Changes
// nothing.
bool LibraryMenuItemsEnabled(MainView& view);
