// Drives a running Tovrell.exe from outside its process, by control id, as
// a test needs it: starting it, reading what its windows show (list-view
// rows are read through memory in the target process), selecting rows,
// pressing buttons, and waiting for and answering its dialogs and message
// boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct MessageBoxSeen {
  HWND window = nullptr;
  std::string caption;
  std::string text;
  enum Icon { kNone, kExclamation, kStop, kOther } icon = kNone;
};

class RunningApp {
 public:
  // Starts `exePath` (with `currentFolder` as its current folder, when one
  // is given) and waits until its main window is shown.
  explicit RunningApp(const std::string& exePath, const std::string& currentFolder = std::string());
  // Ends the program if it still runs (it is this test's own child).
  ~RunningApp();
  RunningApp(const RunningApp&) = delete;
  RunningApp& operator=(const RunningApp&) = delete;

  bool started() const { return main_ != nullptr; }
  HWND main() const { return main_; }
  HWND Control(int id) const { return Control(main_, id); }
  static HWND Control(HWND dialog, int id) { return GetDlgItem(dialog, id); }

  static std::string Text(HWND window);
  static void SetText(HWND window, const std::string& text);
  static bool IsEnabled(HWND window) { return IsWindowEnabled(window) != FALSE; }

  // List-view contents and selection.
  std::vector<std::string> Rows(HWND list, int column = 0) const;
  std::string Heading(HWND list, int column) const;
  static int SelectedRow(HWND list);
  void SelectRow(HWND list, int row) const;  // -1 clears the selection

  // Clicks a button without waiting for the command to finish (it may
  // open a modal dialog or a message box).
  static void Click(HWND dialog, int buttonId);
  static void PostCommand(HWND window, int commandId);

  // The first visible top-level dialog of the program, other than the main
  // window, with this caption ("" for any); nullptr after the timeout.
  HWND WaitForDialog(const std::string& caption, int timeoutMs = 15000) const;
  // Waits for a message box and reads it.
  MessageBoxSeen WaitForMessageBox(int timeoutMs = 15000) const;
  // The visible dialogs of the program other than the main window.
  std::vector<HWND> OpenDialogs() const;
  // Waits for a box, reads it and presses its OK button.
  MessageBoxSeen AcceptMessageBox(int timeoutMs = 15000) const;
  // Waits until no dialog but the main window is open (a command ended).
  bool WaitUntilIdle(int timeoutMs = 15000) const;

  // The shell's folder browser (a dialog of the program): selects the item
  // of its tree reached from the top item (the desktop) through the items
  // named `names`, each expanded on the way (false when there is none); or
  // selects a folder by its path (false when the browser does not show it
  // selected).
  bool SelectBrowserItem(HWND browser, const std::vector<std::string>& names) const;
  bool SelectBrowserFolder(HWND browser, const std::string& path) const;

  bool WaitForExit(int timeoutMs = 15000) const;
  DWORD processId() const { return process_.dwProcessId; }

 private:
  PROCESS_INFORMATION process_ = {};
  HWND main_ = nullptr;
};

// Program-wide: the main window's caption.
extern const char kMainCaption[];

// Real input, as the user gives it: the pointer moved to a screen point and
// a button pressed and released there; a key pressed and released.
void ClickAt(POINT screenPoint, bool rightButton);
void PressKey(WORD virtualKey);
// The centre of a list row on the screen, read in the target process.
POINT RowCentre(const RunningApp& app, HWND list, int row);
// The visible popup menu window of the program, or nullptr after the timeout.
HWND WaitForPopupMenu(const RunningApp& app, int timeoutMs = 5000);
