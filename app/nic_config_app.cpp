#include "app/nic_config_app.h"

#include "app/nic_config_dlg.h"
#include "framework/module.h"

// The one application object.
CNicConfigApp theApp;

BOOL CNicConfigApp::InitInstance() {
  CNicConfigDlg dlg(nullptr);
  SetMainWindow(&dlg);
  dlg.DoModal();  // however the dialog ends, the program ends
  SetMainWindow(nullptr);
  return FALSE;
}
