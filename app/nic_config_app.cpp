#include "app/nic_config_app.h"

#include "app/nic_config_dlg.h"

// The one application object.
CNicConfigApp theApp;

BOOL CNicConfigApp::InitInstance() {
  CNicConfigDlg dlg(nullptr);
  m_pMainWnd = &dlg;
  dlg.DoModal();  // however the dialog ends, the program ends
  m_pMainWnd = nullptr;
  return FALSE;
}
