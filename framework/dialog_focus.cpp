#include "framework/dialog_focus.h"

void GotoDlgCtrl(CWnd* dialog, int id) {
  dialog->SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog->m_hWnd, id)), TRUE);
}
