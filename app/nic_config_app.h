// The application: shows the main dialog and ends when it closes; started
// with arguments, it runs them as the command line instead (cli/).
#pragma once

#include "framework/app.h"

class CNicConfigApp : public CWinApp {
 public:
  BOOL InitInstance() override;
  bool RunCommandLine(int* status) override;
};
