// Asks where a build goes: edit 1018, typed or chosen with "浏览".
#pragma once

#include <string>

#include "framework/dialog.h"

class CTargetPathDlg : public CDialog {
 public:
  explicit CTargetPathDlg(CWnd* parent);

  // The edit's text when OK was pressed, untrimmed (blanks around it kept);
  // never blank.
  std::string m_strTargetPath;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  void OnBrowse();
  DECLARE_MESSAGE_MAP()
};
