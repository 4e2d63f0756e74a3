// The main dialog: the card list, the details pane and every command. The
// commands' work is done by the core; the dialog is the view they act on.
#pragma once

#include <string>

#include "framework/dialog.h"
#include "framework/list_ctrl.h"
#include "library/card_list.h"
#include "window/main_view.h"

class CNicConfigDlg : public CDialog, public MainView {
 public:
  explicit CNicConfigDlg(CWnd* parent);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  // Message map handlers.
  void OnSysCommand(UINT id, LPARAM lParam);
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnAddCard();
  void OnCreateUsbDisk();
  void OnCreateNetDir();
  void OnItemChangedNicList(NMHDR* header, LRESULT* result);
  void OnRClickNicList(NMHDR* header, LRESULT* result);
  void OnRenameNic();
  void OnDeleteNic();
  void OnCreateBootImage();
  void OnCreateNetbootFolder();
  void OnCreateUniversalUsb();
  void OnCreateUniversalImage();
  void OnNetworkSettings();  // network_settings_command.cpp
  DECLARE_MESSAGE_MAP()

 public:
  // The main window as the commands see it.
  int RowCount() override;
  int SelectedRow() override;
  bool IsRowSelected(int row) override;
  void InsertRow(int row, const std::string& text) override;
  void SetRowText(int row, const std::string& text) override;
  std::string RowText(int row) override;
  void DeleteRow(int row) override;
  void DeleteAllRows() override;
  void SelectRow(int row) override;
  void FocusList() override;
  void ShowDriverName(const std::string& name) override;
  void ShowProtocolText(const std::string& text) override;
  void EnableBuildButtons(bool enable) override;
  bool AskTargetPath(std::string* targetPath) override;
  bool AskNewName(std::string* newName) override;
  bool AskDriver(std::string* driverPath, std::string* cardName) override;
  bool RunLongWork(const std::string& title, const std::function<void(Progress&)>& work,
                   std::string* failure) override;
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void ShowAppMessage(const std::string& text) override;
  void ShowFileError(const std::string& text) override;

 private:
  CardList m_nicList;
  CStatic m_picDriver;
  CListCtrl m_listNics;
  std::string m_strProtocolText;
  std::string m_strDriverName;
  HICON m_hIcon;
  std::string m_strProgramFolder;
};
