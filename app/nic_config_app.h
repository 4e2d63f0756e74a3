// The application: shows the main dialog and ends when it closes.
#pragma once

#include "framework/app.h"

class CNicConfigApp : public CWinApp {
 public:
  BOOL InitInstance() override;
};
