#include "framework/app.h"

#include <commctrl.h>

namespace {
CWinApp* theOnlyApp = nullptr;
}

CWinApp::CWinApp() { theOnlyApp = this; }

CWinApp::~CWinApp() {
  if (theOnlyApp == this) theOnlyApp = nullptr;
}

CWinApp* AfxGetApp() { return theOnlyApp; }

int RunApplication() {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return 1;
  int status = 0;
  if (app->RunCommandLine(&status)) return status;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  app->InitInstance();
  return 0;
}
