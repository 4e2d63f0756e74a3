#include "framework/app.h"

#include <commctrl.h>

#include "port/file_system.h"
#include "text/cp936_path.h"

namespace {
CWinApp* theOnlyApp = nullptr;
}

CWinApp::CWinApp() { theOnlyApp = this; }

CWinApp::~CWinApp() {
  if (theOnlyApp == this) theOnlyApp = nullptr;
}

HICON CWinApp::LoadIcon(UINT id) const { return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(id)); }

CWinApp* AfxGetApp() { return theOnlyApp; }

int RunApplication(HINSTANCE instance) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return 1;
  app->m_hInstance = instance;
  app->m_strAppName = cp936::BaseNameOf(port::ModuleFileName());
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  app->InitInstance();
  return 0;
}
