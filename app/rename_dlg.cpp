#include "app/rename_dlg.h"

#include "library/rename_card.h"
#include "res/resource.h"

CRenameDlg::CRenameDlg(CWnd* parent) : CDialog(IDD_RENAME, parent) {}

void CRenameDlg::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, IDC_NEW_NAME, m_editNewName); }

void CRenameDlg::OnOK() {
  m_strNewName = m_editNewName.GetWindowText();
  if (!IsRenameNameGiven(m_strNewName)) {
    MessageBox("请输入更改后的名称！", "空项目存在", MB_OK);
    return;
  }
  CDialog::OnOK();
}
