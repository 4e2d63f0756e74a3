#include "app/nic_config_app.h"

#include <cstdlib>

#include "app/nic_config_dlg.h"
#include "cli/command_line.h"
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

bool CNicConfigApp::RunCommandLine(int* status) {
  if (__argc < 2) return false;
  *status = ::RunCommandLine(__argc, __argv);
  return true;
}
