#include "framework/message_box.h"

#include "framework/module.h"
#include "framework/wnd.h"

namespace {

HWND OwnerWindow() {
  HWND active = GetActiveWindow();
  if (active != nullptr) return active;
  return MainWindow() != nullptr ? MainWindow()->m_hWnd : nullptr;
}

}  // namespace

int AfxMessageBox(const std::string& text, UINT type) {
  if ((type & MB_ICONMASK) == 0) type |= MB_ICONEXCLAMATION;
  return MessageBoxA(OwnerWindow(), text.c_str(), AppName().c_str(), type);
}

void AfxReportFileError(const std::string& text) {
  MessageBoxA(OwnerWindow(), text.c_str(), AppName().c_str(), MB_OK | MB_ICONSTOP);
}
