// The add-driver dialog: choose a folder, search its tree for DOS driver
// files, pick one and name the card.
#pragma once

#include <string>

#include "framework/dialog.h"
#include "framework/list_ctrl.h"
#include "search/browse_for_drivers.h"

class CAddDriverDlg : public CDialog, private DriverSearchView {
 public:
  explicit CAddDriverDlg(CWnd* parent);

  // After IDOK: the texts of edits 1012 and 1014 as they stand, untrimmed;
  // each holds at least one character that is not white space.
  std::string m_strPath;
  std::string m_strName;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  void OnAdd();
  void OnBrowse();
  void OnItemChangedDriverList(NMHDR* header, LRESULT* result);
  DECLARE_MESSAGE_MAP()

 private:
  // DriverSearchView, for the "浏览" command.
  bool ChooseFolder(std::string* folder) override;
  void ClearChoice() override;
  void ShowStatus(const std::string& status) override;
  void ShowRows(const std::vector<DriverRow>& rows) override;
  void ShowMessage(const std::string& text) override;

  CListCtrl m_listDrivers;
  std::string m_strStatus;
};
