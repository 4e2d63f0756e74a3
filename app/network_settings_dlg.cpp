#include "app/network_settings_dlg.h"

#include "framework/button_exchange.h"
#include "framework/dialog_focus.h"
#include "res/resource.h"

namespace {

// The control that shows each field a refusal names.
int ControlOf(SettingsField field) {
  switch (field) {
    case SettingsField::kComputerName:
      return IDC_COMPUTER_NAME;
    case SettingsField::kUserName:
      return IDC_USER_NAME;
    case SettingsField::kWorkgroup:
      return IDC_WORKGROUP;
    case SettingsField::kLogonDomain:
      return IDC_LOGON_DOMAIN;
    case SettingsField::kIpAddress:
      return IDC_IP_ADDRESS;
    case SettingsField::kSubnetMask:
      return IDC_SUBNET_MASK;
    case SettingsField::kGateway:
      return IDC_GATEWAY;
    case SettingsField::kNone:
      break;
  }
  return IDOK;
}

int CheckStateOf(const std::optional<bool>& uniqueName) {
  if (!uniqueName.has_value()) return BST_INDETERMINATE;
  return *uniqueName ? BST_CHECKED : BST_UNCHECKED;
}

std::optional<bool> UniqueNameOf(int checkState) {
  if (checkState == BST_INDETERMINATE) return std::nullopt;
  return checkState == BST_CHECKED;
}

// The radio buttons in their order: DHCP, then the fixed address.
int ChoiceOf(const std::optional<bool>& dhcp) {
  if (!dhcp.has_value()) return -1;
  return *dhcp ? 0 : 1;
}

std::optional<bool> DhcpOf(int choice) {
  if (choice < 0) return std::nullopt;
  return choice == 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CNetworkSettingsDlg)
  ON_BN_CLICKED(IDC_DHCP, OnAddressChoice)
  ON_BN_CLICKED(IDC_STATIC_IP, OnAddressChoice)
END_MESSAGE_MAP()

CNetworkSettingsDlg::CNetworkSettingsDlg(CWnd* parent, const NetworkSettings& settings)
    : CDialog(IDD_NETWORK_SETTINGS, parent), m_settings(settings) {}

void CNetworkSettingsDlg::DoDataExchange(CDataExchange* pDX) {
  int uniqueName = CheckStateOf(m_settings.uniqueName);
  int choice = ChoiceOf(m_settings.dhcp);
  DDX_Text(pDX, IDC_COMPUTER_NAME, m_settings.computerName);
  DDX_Check(pDX, IDC_UNIQUE_NAME, uniqueName);
  DDX_Text(pDX, IDC_USER_NAME, m_settings.userName);
  DDX_Text(pDX, IDC_WORKGROUP, m_settings.workgroup);
  DDX_Text(pDX, IDC_LOGON_DOMAIN, m_settings.logonDomain);
  DDX_Radio(pDX, IDC_DHCP, choice);
  DDX_Text(pDX, IDC_IP_ADDRESS, m_settings.ipAddress);
  DDX_Text(pDX, IDC_SUBNET_MASK, m_settings.subnetMask);
  DDX_Text(pDX, IDC_GATEWAY, m_settings.gateway);
  if (pDX->m_bSaveAndValidate) {
    m_settings.uniqueName = UniqueNameOf(uniqueName);
    m_settings.dhcp = DhcpOf(choice);
  }
}

BOOL CNetworkSettingsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  EnableAddressEdits();
  return TRUE;
}

void CNetworkSettingsDlg::OnAddressChoice() { EnableAddressEdits(); }

void CNetworkSettingsDlg::EnableAddressEdits() {
  const BOOL fixed = IsDlgButtonChecked(m_hWnd, IDC_STATIC_IP) == BST_CHECKED;
  for (const int id : {IDC_IP_ADDRESS, IDC_SUBNET_MASK, IDC_GATEWAY}) ::EnableWindow(GetDlgItem(id), fixed);
}

void CNetworkSettingsDlg::OnOK() {
  UpdateData(TRUE);
  // As the builds least strict about names check them, so that whatever is
  // refused here is refused by every build with the same message.
  const SettingsProblem problem = CheckNetworkSettings(m_settings, false);
  if (problem.field != SettingsField::kNone) {
    MessageBox(problem.message, "网络设置错误", MB_OK | MB_ICONEXCLAMATION);
    GotoDlgCtrl(this, ControlOf(problem.field));
    return;
  }
  EndDialog(IDOK);
}
