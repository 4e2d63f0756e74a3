#include "framework/button_exchange.h"

#include <vector>

namespace {

// The radio buttons of the group starting at `first`, in tab order.
std::vector<HWND> RadioGroup(HWND first) {
  std::vector<HWND> group;
  for (HWND control = first; control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
    if (control != first && (GetWindowLongA(control, GWL_STYLE) & WS_GROUP) != 0) break;
    if ((SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0) group.push_back(control);
  }
  return group;
}

}  // namespace

void DDX_Check(CDataExchange* pDX, int id, int& value) {
  HWND control = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id);
  if (pDX->m_bSaveAndValidate) {
    value = static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0));
  } else {
    SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  }
}

void DDX_Radio(CDataExchange* pDX, int id, int& value) {
  const std::vector<HWND> group = RadioGroup(::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id));
  if (pDX->m_bSaveAndValidate) value = -1;
  for (std::size_t i = 0; i < group.size(); ++i) {
    const int index = static_cast<int>(i);
    if (pDX->m_bSaveAndValidate) {
      if (SendMessageA(group[i], BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
    } else {
      SendMessageA(group[i], BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
  }
}
