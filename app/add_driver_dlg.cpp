#include "app/add_driver_dlg.h"

#include "framework/folder_browser.h"
#include "res/resource.h"
#include "search/find_driver_files.h"

namespace {
constexpr UINT_PTR kSearchTimer = 1;
constexpr UINT kLookEveryMs = 200;
}  // namespace

BEGIN_MESSAGE_MAP(CAddDriverDlg)
  ON_BN_CLICKED(IDC_ADD, OnAdd)
  ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
  ON_NOTIFY(LVN_ITEMCHANGED, IDC_NIC_LIST, OnItemChangedDriverList)
  ON_WM_TIMER()
END_MESSAGE_MAP()

CAddDriverDlg::CAddDriverDlg(CWnd* parent) : CDialog(IDD_ADD_DRIVER, parent) {}

void CAddDriverDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_NIC_LIST, m_listDrivers);
  DDX_Text(pDX, IDC_DRIVER_PATH, m_strPath);
  DDX_Text(pDX, IDC_CARD_NAME, m_strName);
  DDX_Text(pDX, IDC_STATUS, m_strStatus);
}

BOOL CAddDriverDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_listDrivers.SetExtendedStyle(m_listDrivers.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
  m_listDrivers.InsertColumn(0, "网卡名称", LVCFMT_LEFT, 100, -1);
  m_listDrivers.InsertColumn(1, "存放路径", LVCFMT_LEFT, 190, -1);
  m_listDrivers.DeleteAllItems();
  return TRUE;
}

void CAddDriverDlg::OnCancel() {
  // The search stops once the folder it is listing has been listed, and
  // nothing it found is kept: closing waits that long at most.
  KillTimer(m_hWnd, kSearchTimer);
  m_search.reset();
  CDialog::OnCancel();
}

void CAddDriverDlg::OnBrowse() {
  StopSearch();
  UpdateData(TRUE);
  std::string folder;
  const bool chosen = BrowseForFolder("选择路径", &folder);
  const BrowseAnswer answer = WhatBrowsingDoes(chosen, folder);
  if (answer == BrowseAnswer::kNothing) return;
  m_strPath.clear();
  m_strName.clear();
  m_listDrivers.DeleteAllItems();
  UpdateData(FALSE);
  if (answer == BrowseAnswer::kClearAndSearch) StartSearch(folder);
}

void CAddDriverDlg::StartSearch(const std::string& folder) {
  m_search = std::make_unique<DriverSearchRun>(folder);
  ShowStatus(m_search->Status());
  SetTimer(m_hWnd, kSearchTimer, kLookEveryMs, nullptr);
}

void CAddDriverDlg::OnTimer(UINT_PTR) {
  if (m_search == nullptr) return;
  if (m_search->Done()) {
    ShowSearchEnd();
  } else {
    ShowStatus(m_search->Status());
  }
}

void CAddDriverDlg::StopSearch() {
  if (m_search == nullptr) return;
  m_search->Stop();
  ShowSearchEnd();
}

void CAddDriverDlg::ShowSearchEnd() {
  KillTimer(m_hWnd, kSearchTimer);
  const DriverSearchEnd end = m_search->End();
  m_search.reset();
  // A visible list view repaints for every row inserted; under Wine that
  // took longer than the search itself (9 s for 483 rows). It is painted
  // once, when all rows are in.
  m_listDrivers.SendMessage(WM_SETREDRAW, FALSE);
  for (const DriverRow& row : end.rows) {
    const int index = m_listDrivers.InsertItem(m_listDrivers.GetItemCount(), row.name);
    m_listDrivers.SetItemText(index, 1, row.path);
  }
  m_listDrivers.SendMessage(WM_SETREDRAW, TRUE);
  InvalidateRect(m_listDrivers.m_hWnd, nullptr, TRUE);
  ShowStatus(end.status);
  if (!end.message.empty()) MessageBox(end.message, "添加驱动程序", MB_OK);
}

void CAddDriverDlg::ShowStatus(const std::string& status) {
  if (status == m_strStatus) return;
  m_strStatus = status;
  ::SetDlgItemTextA(m_hWnd, IDC_STATUS, m_strStatus.c_str());
}

void CAddDriverDlg::OnAdd() {
  StopSearch();
  UpdateData(TRUE);
  if (!AddFieldsComplete(m_strPath, m_strName)) {
    MessageBox("有空项目存在，请输入完整！", "添加驱动程序", MB_OK);
    return;
  }
  CDialog::OnOK();
}

void CAddDriverDlg::OnItemChangedDriverList(NMHDR*, LRESULT* result) {
  *result = 0;
  if (m_listDrivers.GetItemCount() == 0) return;
  const int row = m_listDrivers.GetNextItem(-1, LVNI_SELECTED);
  if (row == -1) {
    m_strName.clear();
    m_strPath.clear();
  } else {
    m_strName = ProposedCardName(m_listDrivers.GetItemText(row, 0));
    m_strPath = m_listDrivers.GetItemText(row, 1);
  }
  m_strStatus = m_strName;
  UpdateData(FALSE);
}
