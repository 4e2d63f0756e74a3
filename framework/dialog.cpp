#include "framework/dialog.h"

#include <exception>

#include "framework/file_exception.h"
#include "framework/message_box.h"
#include "framework/module.h"

namespace {

// A dialog opens centred over the window that owns it, as Windows users
// expect, kept on that window's screen; a template's own position is
// relative to nothing the user sees.
void CentreOverOwner(HWND dialog) {
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner == nullptr) return;
  RECT mine;
  RECT theirs;
  if (!GetWindowRect(dialog, &mine) || !GetWindowRect(owner, &theirs)) return;
  const LONG width = mine.right - mine.left;
  const LONG height = mine.bottom - mine.top;
  LONG x = theirs.left + (theirs.right - theirs.left - width) / 2;
  LONG y = theirs.top + (theirs.bottom - theirs.top - height) / 2;
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    x = x + width > work.right ? work.right - width : x;
    y = y + height > work.bottom ? work.bottom - height : y;
    x = x < work.left ? work.left : x;
    y = y < work.top ? work.top : y;
  }
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal() {
  // The parent owns the dialog and stays disabled while it runs.
  HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
  const INT_PTR result = DialogBoxParamA(ModuleHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner, DialogProc,
                                         reinterpret_cast<LPARAM>(this));
  m_hWnd = nullptr;
  return result;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  UpdateData(TRUE);
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

const MessageMapEntry* CDialog::GetMessageMap() const {
  static const MessageMapEntry none[] = {
      {0, 0, 0, HandlerSignature::kEnd, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr}};
  return none;
}

bool CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
  UINT id = 0;
  UINT code = 0;
  if (message == WM_COMMAND) {
    id = LOWORD(wParam);
    code = HIWORD(wParam);
  } else if (message == WM_NOTIFY) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    id = static_cast<UINT>(header->idFrom);
    code = header->code;
  }
  for (const MessageMapEntry* entry = GetMessageMap(); entry->signature != HandlerSignature::kEnd; ++entry) {
    if (entry->message != message || entry->id != id) continue;
    // Menu commands and accelerators carry code 0 or 1; a button click is
    // BN_CLICKED (0) too.
    if (message == WM_COMMAND && entry->code != code && code > 1) continue;
    if (message == WM_NOTIFY && entry->code != code) continue;
    m_bDefault = false;
    *result = TRUE;
    switch (entry->signature) {
      case HandlerSignature::kVoid:
        (this->*entry->onVoid)();
        break;
      case HandlerSignature::kNotify: {
        LRESULT notifyResult = 0;
        (this->*entry->onNotify)(reinterpret_cast<NMHDR*>(lParam), &notifyResult);
        SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, notifyResult);
        break;
      }
      case HandlerSignature::kSysCommand:
        (this->*entry->onSysCommand)(static_cast<UINT>(wParam), lParam);
        break;
      case HandlerSignature::kQueryDragIcon:
        *result = reinterpret_cast<INT_PTR>((this->*entry->onQueryDragIcon)());
        break;
      case HandlerSignature::kTimer:
        (this->*entry->onTimer)(static_cast<UINT_PTR>(wParam));
        break;
      case HandlerSignature::kMessage:
        SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, (this->*entry->onMessage)(wParam, lParam));
        break;
      case HandlerSignature::kEnd:
        break;
    }
    return !m_bDefault;
  }
  return false;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* dialog = nullptr;
  if (message == WM_INITDIALOG) {
    dialog = reinterpret_cast<CDialog*>(lParam);
    dialog->m_hWnd = window;
    SetWindowLongPtrA(window, DWLP_USER, lParam);
  } else {
    dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(window, DWLP_USER));
  }
  if (dialog == nullptr) return FALSE;

  // A failure that escapes a handler is reported and the program goes on;
  // the rest of that handler does not run.
  try {
    if (message == WM_INITDIALOG) {
      CentreOverOwner(window);
      return dialog->OnInitDialog();
    }
    INT_PTR result = FALSE;
    if (dialog->Dispatch(message, wParam, lParam, &result)) return result;
    if (message == WM_COMMAND && HIWORD(wParam) <= 1) {
      if (LOWORD(wParam) == IDOK) {
        dialog->OnOK();
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        dialog->OnCancel();
        return TRUE;
      }
    }
  } catch (const CFileException& error) {
    AfxReportFileError(error.what());
    return TRUE;
  } catch (const std::exception& error) {
    AfxReportFileError(error.what());
    return TRUE;
  }
  return FALSE;
}
