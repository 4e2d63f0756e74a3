// The list-view control (report view) operations the dialogs use.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/wnd.h"

class CListCtrl : public CWnd {
 public:
  int InsertColumn(int column, const std::string& heading, int format, int width, int subItem);
  // Inserts a row with text only (mask LVIF_TEXT, no state, image or data);
  // an index past the end appends. Returns the row's index or -1.
  int InsertItem(int row, const std::string& text);
  BOOL SetItemText(int row, int column, const std::string& text);
  std::string GetItemText(int row, int column) const;
  int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
  int GetNextItem(int start, UINT flags) const {
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
  }
  UINT GetItemState(int row, UINT mask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
  }
  BOOL SetItemState(int row, UINT state, UINT mask);
  BOOL DeleteItem(int row) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(row))); }
  BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
  DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
  void SetExtendedStyle(DWORD style) { SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style); }
};
