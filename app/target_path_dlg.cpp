#include "app/target_path_dlg.h"

#include "framework/folder_browser.h"
#include "framework/message_box.h"
#include "res/resource.h"
#include "text/white_space.h"

BEGIN_MESSAGE_MAP(CTargetPathDlg)
  ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CTargetPathDlg::CTargetPathDlg(CWnd* parent) : CDialog(IDD_TARGET_PATH, parent) {}

void CTargetPathDlg::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, IDC_TARGET_PATH, m_strTargetPath); }

BOOL CTargetPathDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_strTargetPath.clear();
  return TRUE;
}

void CTargetPathDlg::OnBrowse() {
  std::string folder;
  // An item without a file-system path leaves the typed text as it is.
  if (BrowseForFolder("选择路径", &folder) && !folder.empty()) {
    m_strTargetPath = folder;
    UpdateData(FALSE);
  }
}

void CTargetPathDlg::OnOK() {
  UpdateData(TRUE);
  if (text::Trim(m_strTargetPath).empty()) {
    AfxMessageBox("请输入正确的路径！", MB_OK);
    return;
  }
  CDialog::OnOK();
}
