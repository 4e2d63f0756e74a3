// The About box, opened from the system menu.
#pragma once

#include "framework/dialog.h"

class CAboutDlg : public CDialog {
 public:
  explicit CAboutDlg(CWnd* parent);
};
