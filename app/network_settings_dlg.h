// The "网络设置" dialog: the client's identity on the media built (computer
// name 1026 and its "each PC its own" box 1027, user 1028, workgroup 1029,
// logon domain 1030, DHCP 1031 or a fixed address 1032 with address 1033,
// mask 1034 and gateway 1035). It shows settings and hands back what the
// user accepted; reading and saving Tovrell.ini is its caller's.
#pragma once

#include "framework/dialog.h"
#include "settings/network_settings.h"

class CNetworkSettingsDlg : public CDialog {
 public:
  CNetworkSettingsDlg(CWnd* parent, const NetworkSettings& settings);

  // Shown as they are when the dialog opens, a value CheckNetworkSettings
  // would refuse included; after OK, what the user accepted, which it does
  // not refuse. An unset choice shows as a grey check box or no radio
  // button chosen, and stays unset unless the user picks one.
  NetworkSettings m_settings;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  void OnAddressChoice();
  DECLARE_MESSAGE_MAP()

 private:
  void EnableAddressEdits();
};
