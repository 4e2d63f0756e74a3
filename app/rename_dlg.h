// Asks for a card's new name (edit 1022, empty when the dialog opens).
#pragma once

#include <string>

#include "framework/dialog.h"

class CRenameDlg : public CDialog {
 public:
  explicit CRenameDlg(CWnd* parent);

  // The name as typed when OK was pressed; never empty.
  std::string m_strNewName;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;

 private:
  CEdit m_editNewName;
};
