#include "app/progress_dlg.h"

#include <commctrl.h>

#include "res/resource.h"

namespace {
constexpr UINT_PTR kLookTimer = 1;
constexpr UINT kLookEveryMs = 100;
}  // namespace

BEGIN_MESSAGE_MAP(CProgressDlg)
  ON_WM_TIMER()
END_MESSAGE_MAP()

CProgressDlg::CProgressDlg(CWnd* parent, std::string title, BackgroundWork* work)
    : CDialog(IDD_PROGRESS, parent), m_strTitle(std::move(title)), m_pWork(work) {}

BOOL CProgressDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(m_strTitle);
  ShowLatest();
  SetTimer(m_hWnd, kLookTimer, kLookEveryMs, nullptr);
  return TRUE;
}

void CProgressDlg::OnTimer(UINT_PTR) {
  if (!m_pWork->Done()) {
    ShowLatest();
    return;
  }
  KillTimer(m_hWnd, kLookTimer);
  EndDialog(IDOK);
}

void CProgressDlg::OnCancel() {
  // The work stops at its next step and undoes what it made; the window
  // closes once it has.
  m_pWork->Cancel();
  ::EnableWindow(GetDlgItem(IDCANCEL), FALSE);
  ::SetDlgItemTextA(m_hWnd, IDC_PROGRESS_TEXT, "正在取消，请稍候……");
}

void CProgressDlg::ShowLatest() {
  const BackgroundWork::Report report = m_pWork->Latest();
  if (::IsWindowEnabled(GetDlgItem(IDCANCEL))) ::SetDlgItemTextA(m_hWnd, IDC_PROGRESS_TEXT, report.what.c_str());
  HWND bar = GetDlgItem(IDC_PROGRESS_BAR);
  // The bar counts in thousandths, whatever the unit (files, bytes, cards).
  const std::uint64_t total = report.total == 0 ? 1 : report.total;
  ::SendMessageA(bar, PBM_SETRANGE32, 0, 1000);
  ::SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(report.done * 1000 / total), 0);
}
