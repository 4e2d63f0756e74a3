// The progress window of long work: what is being done, a bar, and Cancel.
// It watches work already running in the background and ends itself when
// the work ends; Cancel asks the work to stop and waits for it.
#pragma once

#include <string>

#include "framework/dialog.h"
#include "work/background_work.h"

class CProgressDlg : public CDialog {
 public:
  CProgressDlg(CWnd* parent, std::string title, BackgroundWork* work);

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;
  void OnTimer(UINT_PTR timerId);
  DECLARE_MESSAGE_MAP()

 private:
  void ShowLatest();

  std::string m_strTitle;
  BackgroundWork* m_pWork;
};
