// The add-driver dialog: choose a folder, search its tree for DOS driver
// files, pick one and name the card. The search runs in the background
// (DriverSearchRun) and the dialog stays live while it does: it shows the
// folders searched, and "浏览", "添加", "退出" and the close box stop it.
#pragma once

#include <memory>
#include <string>

#include "framework/dialog.h"
#include "framework/list_ctrl.h"
#include "search/browse_for_drivers.h"

class CAddDriverDlg : public CDialog {
 public:
  explicit CAddDriverDlg(CWnd* parent);

  // After IDOK: the texts of edits 1012 and 1014 as they stand, untrimmed;
  // each holds at least one character that is not white space.
  std::string m_strPath;
  std::string m_strName;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnCancel() override;

  void OnAdd();
  void OnBrowse();
  void OnItemChangedDriverList(NMHDR* header, LRESULT* result);
  void OnTimer(UINT_PTR timerId);
  DECLARE_MESSAGE_MAP()

 private:
  void StartSearch(const std::string& folder);
  // Stops a running search and shows how it ended.
  void StopSearch();
  void ShowSearchEnd();
  // Shows `status` in static 1016 and leaves the other fields as the user
  // left them.
  void ShowStatus(const std::string& status);

  CListCtrl m_listDrivers;
  std::string m_strStatus;
  std::unique_ptr<DriverSearchRun> m_search;  // while "浏览" searches
};
