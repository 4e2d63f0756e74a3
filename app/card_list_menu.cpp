// The card list's context menu: "修改名称", "删除网卡" and, below a
// separator, "创建启动镜像...", greyed while no card is selected, and
// "创建网络启动目录...", "创建通用U盘..." and "创建通用启动镜像...", greyed
// while the list is empty; last, below another separator, "网络设置...",
// which needs no card and is never greyed.
#include "app/nic_config_dlg.h"
#include "framework/menu.h"
#include "res/resource.h"
#include "window/card_menu.h"

void CNicConfigDlg::OnRClickNicList(NMHDR*, LRESULT* result) {
  CMenu menu;
  menu.LoadMenu(IDR_NIC_MENU);
  HMENU popup = menu.GetSubMenu(0);
  POINT point;
  GetCursorPos(&point);
  if (!CardMenuItemsEnabled(*this)) {
    EnableMenuItem(popup, ID_MENU_RENAME_NIC, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(popup, ID_MENU_DELETE_NIC, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(popup, ID_MENU_CREATE_BOOT_IMAGE, MF_BYCOMMAND | MF_GRAYED);
  }
  if (!LibraryMenuItemsEnabled(*this)) {
    for (UINT item : {ID_MENU_CREATE_NETBOOT, ID_MENU_CREATE_UNIVERSAL_USB, ID_MENU_CREATE_UNIVERSAL_IMAGE}) {
      EnableMenuItem(popup, item, MF_BYCOMMAND | MF_GRAYED);
    }
  }
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, point.x, point.y, 0, m_hWnd, nullptr);
  *result = 0;
}
