// "网络设置..." in the card list's context menu, with or without cards: the
// dialog refuses what no build could write (naming and focusing the field,
// saving nothing), saves Tovrell.ini beside the program on 确定, shows it
// again, and changes nothing on 取消; the builds then carry the settings,
// and the network boot folder, which a whole lab boots, refuses a fixed
// address.
#include <gtest/gtest.h>

#include <string>

#include "library_fixture.h"
#include "port/file_system.h"
#include "res/resource.h"

namespace {

const char kCaption[] = "网络设置";

// Right-clicks `point` of the list and chooses the menu's last item. A key
// lost on a busy display is tried again, the menu closed first.
HWND OpenFromContextMenu(const RunningApp& app, POINT point) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (HWND late = app.WaitForDialog(kCaption, 50)) return late;
    ClickAt(point, true);
    HWND menu = WaitForPopupMenu(app);
    if (menu == nullptr) continue;
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    if (HWND dialog = app.WaitForDialog(kCaption, 5000)) return dialog;
    if (IsWindowVisible(menu)) PressKey(VK_ESCAPE);
  }
  return app.WaitForDialog(kCaption);
}

int CheckState(HWND dialog, int id) {
  return static_cast<int>(SendMessageA(RunningApp::Control(dialog, id), BM_GETCHECK, 0, 0));
}

std::string TextOf(HWND dialog, int id) { return RunningApp::Text(RunningApp::Control(dialog, id)); }

void Type(HWND dialog, int id, const std::string& text) { RunningApp::SetText(RunningApp::Control(dialog, id), text); }

// The address edits are enabled with the fixed address only.
void ExpectAddressEditsEnabled(HWND dialog, bool enabled) {
  for (const int id : {IDC_IP_ADDRESS, IDC_SUBNET_MASK, IDC_GATEWAY}) {
    EXPECT_EQ(RunningApp::IsEnabled(RunningApp::Control(dialog, id)), enabled) << id;
  }
}

// True once the control `id` has the keyboard focus of its dialog's thread.
bool WaitForFocus(HWND dialog, int id) {
  const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
  for (int waited = 0; waited < 3000; waited += 50) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(thread, &info) && info.hwndFocus == RunningApp::Control(dialog, id)) return true;
    Sleep(50);
  }
  return false;
}

using NetworkSettingsTest = LibraryTest;

TEST_F(NetworkSettingsTest, FilledRefusedSavedShownAgainAndCancelled) {
  HWND dialog = OpenFromContextMenu(*app, RowCentre(*app, list(), RowOf("E100")));
  ASSERT_NE(dialog, nullptr);
  for (const int id : {IDC_COMPUTER_NAME, IDC_USER_NAME, IDC_WORKGROUP, IDC_LOGON_DOMAIN, IDC_IP_ADDRESS}) {
    EXPECT_EQ(TextOf(dialog, id), "") << id;
  }
  EXPECT_EQ(CheckState(dialog, IDC_UNIQUE_NAME), BST_INDETERMINATE);
  EXPECT_EQ(CheckState(dialog, IDC_DHCP), BST_UNCHECKED);
  EXPECT_EQ(CheckState(dialog, IDC_STATIC_IP), BST_UNCHECKED);
  ExpectAddressEditsEnabled(dialog, false);

  Type(dialog, IDC_COMPUTER_NAME, "LAB01");
  SendMessageA(RunningApp::Control(dialog, IDC_UNIQUE_NAME), BM_SETCHECK, BST_CHECKED, 0);
  Type(dialog, IDC_USER_NAME, "admin");
  Type(dialog, IDC_WORKGROUP, "WORKGROUP");
  Type(dialog, IDC_LOGON_DOMAIN, "CORP");
  SendMessageA(RunningApp::Control(dialog, IDC_STATIC_IP), BM_CLICK, 0, 0);
  ExpectAddressEditsEnabled(dialog, true);
  Type(dialog, IDC_IP_ADDRESS, "192.168.1.20");
  Type(dialog, IDC_SUBNET_MASK, "255.255.255.0");
  Type(dialog, IDC_GATEWAY, "192.168.2.1");
  // Refused: the box names the field, which then has the focus; nothing saved.
  RunningApp::Click(dialog, IDOK);
  const MessageBoxSeen box = app->AcceptMessageBox();
  EXPECT_EQ(box.caption, "网络设置错误");
  EXPECT_NE(box.text.find("默认网关"), std::string::npos) << box.text;
  EXPECT_TRUE(WaitForFocus(dialog, IDC_GATEWAY));
  EXPECT_FALSE(Exists(folder / "Tovrell.ini"));

  Type(dialog, IDC_GATEWAY, "192.168.1.1");
  RunningApp::Click(dialog, IDOK);
  ASSERT_TRUE(app->WaitUntilIdle());
  const std::string saved =
      "[Network]\r\nComputerName=LAB01\r\nUniqueName=1\r\nUserName=admin\r\nWorkgroup=WORKGROUP\r\n"
      "LogonDomain=CORP\r\nDHCP=0\r\nIPAddress=192.168.1.20\r\nSubnetMask=255.255.255.0\r\nGateway=192.168.1.1\r\n";
  EXPECT_EQ(ReadTestFile(folder / "Tovrell.ini"), saved);

  RunningApp::PostCommand(app->main(), ID_MENU_NETWORK_SETTINGS);
  dialog = app->WaitForDialog(kCaption);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(dialog, IDC_COMPUTER_NAME), "LAB01");
  EXPECT_EQ(CheckState(dialog, IDC_UNIQUE_NAME), BST_CHECKED);
  EXPECT_EQ(TextOf(dialog, IDC_LOGON_DOMAIN), "CORP");
  EXPECT_EQ(CheckState(dialog, IDC_STATIC_IP), BST_CHECKED);
  EXPECT_EQ(TextOf(dialog, IDC_GATEWAY), "192.168.1.1");
  ExpectAddressEditsEnabled(dialog, true);
  Type(dialog, IDC_COMPUTER_NAME, "OTHER");
  SendMessageA(RunningApp::Control(dialog, IDC_DHCP), BM_CLICK, 0, 0);
  ExpectAddressEditsEnabled(dialog, false);
  RunningApp::Click(dialog, IDCANCEL);
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_EQ(ReadTestFile(folder / "Tovrell.ini"), saved);

  TempFolder target;
  Select("E100");
  StartBuild(*app, IDC_CREATE_NET_DIR, target.path());
  EXPECT_EQ(app->AcceptMessageBox().caption, "创建成功");
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_NE(ReadTestFile(target / "NET\\SYSTEM.INI").find("computername=LAB01\r\n"), std::string::npos);
  EXPECT_NE(ReadTestFile(target / "NET\\PROTOCOL.INI").find("IPAddress0=192 168 1 20\r\n"), std::string::npos);
  ASSERT_TRUE(port::CopyOneFile(ProgramFolder::SampleImage(), folder / "BootDisk.img"));
  RunningApp::PostCommand(app->main(), ID_MENU_CREATE_NETBOOT);
  AnswerTargetDialog(*app, target.path());
  const MessageBoxSeen refused = app->AcceptMessageBox();
  EXPECT_EQ(refused.caption, "创建错误");
  EXPECT_NE(refused.text.find("DHCP"), std::string::npos) << refused.text;
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_FALSE(Exists(target / "netboot"));
}

TEST(NetworkSettingsWithoutCards, TheMenuOffersItOnAnEmptyList) {
  ProgramFolder folder;
  std::unique_ptr<RunningApp> app = folder.Start();
  ASSERT_TRUE(app->started());
  RECT rect;
  GetWindowRect(app->Control(IDC_NIC_LIST), &rect);
  ASSERT_EQ(app->Rows(app->Control(IDC_NIC_LIST)).size(), 0u);
  HWND dialog = OpenFromContextMenu(*app, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  ASSERT_NE(dialog, nullptr);
  RunningApp::Click(dialog, IDCANCEL);
  ASSERT_TRUE(app->WaitUntilIdle());
  EXPECT_FALSE(Exists(folder / "Tovrell.ini"));
}

}  // namespace
