// The main dialog as the card commands see it: list 1017, the details pane,
// the build buttons, the modal dialogs and the message boxes.
#include "app/add_driver_dlg.h"
#include "app/nic_config_dlg.h"
#include "app/progress_dlg.h"
#include "app/rename_dlg.h"
#include "app/target_path_dlg.h"
#include "framework/message_box.h"
#include "res/resource.h"

int CNicConfigDlg::RowCount() { return m_listNics.GetItemCount(); }

int CNicConfigDlg::SelectedRow() { return m_listNics.GetNextItem(-1, LVNI_SELECTED); }

bool CNicConfigDlg::IsRowSelected(int row) {
  return m_listNics.GetItemState(row, LVIS_SELECTED) == LVIS_SELECTED;
}

void CNicConfigDlg::InsertRow(int row, const std::string& text) { m_listNics.InsertItem(row, text); }

void CNicConfigDlg::SetRowText(int row, const std::string& text) { m_listNics.SetItemText(row, 0, text); }

std::string CNicConfigDlg::RowText(int row) { return m_listNics.GetItemText(row, 0); }

void CNicConfigDlg::DeleteRow(int row) { m_listNics.DeleteItem(row); }

void CNicConfigDlg::DeleteAllRows() { m_listNics.DeleteAllItems(); }

void CNicConfigDlg::SelectRow(int row) {
  m_listNics.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  m_listNics.SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void CNicConfigDlg::FocusList() { m_listNics.SetFocus(); }

void CNicConfigDlg::ShowDriverName(const std::string& name) {
  m_strDriverName = name;
  UpdateData(FALSE);
}

void CNicConfigDlg::ShowProtocolText(const std::string& text) {
  m_strProtocolText = text;
  UpdateData(FALSE);
}

void CNicConfigDlg::EnableBuildButtons(bool enable) {
  ::EnableWindow(GetDlgItem(IDC_CREATE_NET_DIR), enable);
  ::EnableWindow(GetDlgItem(IDC_CREATE_USB_DISK), enable);
}

bool CNicConfigDlg::AskTargetPath(std::string* targetPath) {
  CTargetPathDlg dlg(this);
  if (dlg.DoModal() != IDOK) return false;
  *targetPath = dlg.m_strTargetPath;
  return true;
}

bool CNicConfigDlg::AskNewName(std::string* newName) {
  CRenameDlg dlg(this);
  if (dlg.DoModal() != IDOK) return false;
  *newName = dlg.m_strNewName;
  return true;
}

bool CNicConfigDlg::AskDriver(std::string* driverPath, std::string* cardName) {
  CAddDriverDlg dlg(this);
  if (dlg.DoModal() != IDOK) return false;
  *driverPath = dlg.m_strPath;
  *cardName = dlg.m_strName;
  return true;
}

bool CNicConfigDlg::RunLongWork(const std::string& title, const std::function<void(Progress&)>& work,
                                std::string* failure) {
  BackgroundWork running(work);
  // Short work looks as it always has: no window comes and goes.
  if (!running.WaitFor(std::chrono::milliseconds(500))) {
    CProgressDlg dlg(this, title, &running);
    dlg.DoModal();
  }
  running.Wait();
  *failure = running.Failure();
  return !running.Cancelled();
}

void CNicConfigDlg::ShowMessage(const std::string& text, const std::string& caption) {
  MessageBox(text, caption, MB_OK);
}

void CNicConfigDlg::ShowAppMessage(const std::string& text) { AfxMessageBox(text, MB_OK); }

void CNicConfigDlg::ShowFileError(const std::string& text) { AfxReportFileError(text); }
