#include "framework/wnd.h"

#include <vector>

namespace {

std::string TextOf(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::vector<char> buffer(static_cast<size_t>(length) + 2, '\0');
  const int got = GetWindowTextA(window, buffer.data(), length + 1);
  return std::string(buffer.data(), static_cast<size_t>(got > 0 ? got : 0));
}

}  // namespace

std::string CWnd::GetWindowText() const { return TextOf(m_hWnd); }

int CWnd::MessageBox(const std::string& text, const std::string& caption, UINT type) {
  return ::MessageBoxA(m_hWnd, text.c_str(), caption.c_str(), type);
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
  if (control.m_hWnd == nullptr) control.m_hWnd = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id);
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
  HWND control = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id);
  if (pDX->m_bSaveAndValidate) {
    value = TextOf(control);
  } else {
    ::SetWindowTextA(control, value.c_str());
  }
}
