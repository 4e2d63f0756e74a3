#include "framework/message_box.h"

#include "framework/app.h"
#include "framework/wnd.h"

namespace {

HWND OwnerWindow() {
  HWND active = GetActiveWindow();
  if (active != nullptr) return active;
  CWinApp* app = AfxGetApp();
  return app != nullptr && app->m_pMainWnd != nullptr ? app->m_pMainWnd->m_hWnd : nullptr;
}

std::string Caption() {
  CWinApp* app = AfxGetApp();
  return app != nullptr ? app->AppName() : std::string();
}

}  // namespace

int AfxMessageBox(const std::string& text, UINT type) {
  if ((type & MB_ICONMASK) == 0) type |= MB_ICONEXCLAMATION;
  return MessageBoxA(OwnerWindow(), text.c_str(), Caption().c_str(), type);
}

void AfxReportFileError(const std::string& text) {
  MessageBoxA(OwnerWindow(), text.c_str(), Caption().c_str(), MB_OK | MB_ICONSTOP);
}
