// "网络设置..." in the card list's context menu: the client's identity
// settings, read from Tovrell.ini beside the program, shown in their
// dialog and, on OK, saved there for the builds.
#include "app/network_settings_dlg.h"
#include "app/nic_config_dlg.h"
#include "framework/message_box.h"
#include "settings/settings_file.h"

void CNicConfigDlg::OnNetworkSettings() {
  const std::string path = SettingsFileOf(m_strProgramFolder);
  NetworkSettings settings;
  std::string failure = ReadSettingsFile(path, &settings);
  if (!failure.empty()) {
    AfxMessageBox(failure, MB_OK);
    return;
  }
  CNetworkSettingsDlg dlg(this, settings);
  if (dlg.DoModal() != IDOK) return;
  failure = SaveSettingsFile(path, dlg.m_settings);
  if (!failure.empty()) AfxMessageBox(failure, MB_OK);
}
