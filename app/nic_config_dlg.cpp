#include "app/nic_config_dlg.h"

#include "app/about_dlg.h"
#include "framework/module.h"
#include "framework/paint_dc.h"
#include "library/program_folder.h"
#include "port/file_system.h"
#include "res/resource.h"
#include "window/build_commands.h"
#include "window/card_commands.h"
#include "window/card_rows.h"

BEGIN_MESSAGE_MAP(CNicConfigDlg)
  ON_WM_SYSCOMMAND()
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_BN_CLICKED(IDC_ADD_CARD, OnAddCard)
  ON_BN_CLICKED(IDC_CREATE_USB_DISK, OnCreateUsbDisk)
  ON_BN_CLICKED(IDC_CREATE_NET_DIR, OnCreateNetDir)
  ON_NOTIFY(LVN_ITEMCHANGED, IDC_NIC_LIST, OnItemChangedNicList)
  ON_NOTIFY(NM_RCLICK, IDC_NIC_LIST, OnRClickNicList)
  ON_COMMAND(ID_MENU_RENAME_NIC, OnRenameNic)
  ON_COMMAND(ID_MENU_DELETE_NIC, OnDeleteNic)
  ON_COMMAND(ID_MENU_CREATE_BOOT_IMAGE, OnCreateBootImage)
  ON_COMMAND(ID_MENU_CREATE_NETBOOT, OnCreateNetbootFolder)
  ON_COMMAND(ID_MENU_CREATE_UNIVERSAL_USB, OnCreateUniversalUsb)
  ON_COMMAND(ID_MENU_CREATE_UNIVERSAL_IMAGE, OnCreateUniversalImage)
  ON_COMMAND(ID_MENU_NETWORK_SETTINGS, OnNetworkSettings)
END_MESSAGE_MAP()

CNicConfigDlg::CNicConfigDlg(CWnd* parent)
    : CDialog(IDD_NICCONFIG_DIALOG, parent), m_hIcon(LoadIconA(ModuleHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

void CNicConfigDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_DRIVER_PICTURE, m_picDriver);
  DDX_Control(pDX, IDC_NIC_LIST, m_listNics);
  DDX_Text(pDX, IDC_PROTOCOL_TEXT, m_strProtocolText);
  DDX_Text(pDX, IDC_DRIVER_NAME, m_strDriverName);
}

BOOL CNicConfigDlg::OnInitDialog() {
  CDialog::OnInitDialog();

  HMENU systemMenu = ::GetSystemMenu(m_hWnd, FALSE);
  if (systemMenu != nullptr) {
    char about[256] = {};
    if (LoadStringA(ModuleHandle(), IDS_ABOUTBOX, about, sizeof about) > 0) {
      AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
      AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
    }
  }
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

  m_listNics.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
  m_listNics.InsertColumn(0, "网卡名称", LVCFMT_LEFT, 120, -1);

  m_strProgramFolder = ProgramFolderFromModulePath(port::ModuleFileName());
  FillCardList(*this, &m_nicList, LibraryFolderOf(m_strProgramFolder));
  return TRUE;
}

void CNicConfigDlg::OnSysCommand(UINT id, LPARAM) {
  if ((id & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutDlg about(this);
    about.DoModal();
  } else {
    Default();
  }
}

void CNicConfigDlg::OnPaint() {
  if (!IsIconic(m_hWnd)) {
    Default();
    return;
  }
  CPaintDC dc(m_hWnd);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
  const int cx = GetSystemMetrics(SM_CXICON);
  const int cy = GetSystemMetrics(SM_CYICON);
  RECT client;
  GetClientRect(m_hWnd, &client);
  const int x = (client.right - client.left - cx + 1) / 2;
  const int y = (client.bottom - client.top - cy + 1) / 2;
  DrawIcon(dc.m_hDC, x, y, m_hIcon);
}

HCURSOR CNicConfigDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CNicConfigDlg::OnAddCard() { AddCard(*this, &m_nicList, m_strProgramFolder); }

void CNicConfigDlg::OnCreateUsbDisk() {
  UpdateData(TRUE);
  CreateUsbDisk(*this, m_nicList, m_strProgramFolder);
}

void CNicConfigDlg::OnCreateNetDir() {
  UpdateData(TRUE);
  CreateNetDir(*this, m_nicList, m_strProgramFolder);
}

void CNicConfigDlg::OnItemChangedNicList(NMHDR*, LRESULT* result) {
  ShowCardDetails(*this, m_nicList);
  *result = 0;
}

void CNicConfigDlg::OnRenameNic() { RenameCard(*this, &m_nicList, m_strProgramFolder); }

void CNicConfigDlg::OnDeleteNic() { DeleteCard(*this, &m_nicList, m_strProgramFolder); }

void CNicConfigDlg::OnCreateBootImage() {
  UpdateData(TRUE);
  CreateBootImage(*this, m_nicList, m_strProgramFolder);
}

void CNicConfigDlg::OnCreateNetbootFolder() {
  UpdateData(TRUE);
  CreateNetbootFolder(*this, m_nicList, m_strProgramFolder);
}

void CNicConfigDlg::OnCreateUniversalUsb() {
  UpdateData(TRUE);
  CreateUniversalUsb(*this, m_nicList, m_strProgramFolder);
}

void CNicConfigDlg::OnCreateUniversalImage() {
  UpdateData(TRUE);
  CreateUniversalImage(*this, m_nicList, m_strProgramFolder);
}
