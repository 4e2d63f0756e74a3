#include "framework/list_ctrl.h"

#include <vector>

int CListCtrl::InsertColumn(int column, const std::string& heading, int format, int width, int subItem) {
  LVCOLUMNA lvc = {};
  lvc.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
  if (subItem != -1) {
    lvc.mask |= LVCF_SUBITEM;
    lvc.iSubItem = subItem;
  }
  lvc.fmt = format;
  lvc.cx = width;
  lvc.pszText = const_cast<char*>(heading.c_str());
  return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&lvc)));
}

int CListCtrl::InsertItem(int row, const std::string& text) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = const_cast<char*>(text.c_str());
  return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int row, int column, const std::string& text) {
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
}

std::string CListCtrl::GetItemText(int row, int column) const {
  // The control copies at most the buffer's size; grow until the text fits.
  for (size_t size = 256;; size *= 2) {
    std::vector<char> buffer(size, '\0');
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(size);
    const LRESULT length =
        SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    if (static_cast<size_t>(length) + 1 < size || size >= (1u << 20)) return std::string(buffer.data());
  }
}

BOOL CListCtrl::SetItemState(int row, UINT state, UINT mask) {
  LVITEMA item = {};
  item.stateMask = mask;
  item.state = state;
  return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
}
