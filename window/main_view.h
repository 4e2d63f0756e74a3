// The main window as the card commands see it: the card list (list 1017),
// the details pane, the two build buttons and the modal dialogs the
// commands run. The application implements it over its dialogs; tests
// implement it in memory.
#pragma once

#include <functional>
#include <string>

#include "work/progress.h"
#include "window/message_boxes.h"

class MainView : public MessageBoxes {
 public:
  // Card list rows.
  virtual int RowCount() = 0;
  virtual int SelectedRow() = 0;  // the first selected row, or -1
  virtual bool IsRowSelected(int row) = 0;
  virtual void InsertRow(int row, const std::string& text) = 0;
  virtual void SetRowText(int row, const std::string& text) = 0;
  virtual std::string RowText(int row) = 0;
  virtual void DeleteRow(int row) = 0;
  virtual void DeleteAllRows() = 0;
  virtual void SelectRow(int row) = 0;  // selects and focuses one row
  virtual void FocusList() = 0;

  // Details pane: static 1019 and edit 1009, shown at once.
  virtual void ShowDriverName(const std::string& name) = 0;
  virtual void ShowProtocolText(const std::string& text) = 0;

  // Buttons 1010 "创建NET目录" and 1011 "创建U盘".
  virtual void EnableBuildButtons(bool enable) = 0;

  // Modal dialogs. Each returns false when the user cancelled.
  virtual bool AskTargetPath(std::string* targetPath) = 0;             // template 130
  virtual bool AskNewName(std::string* newName) = 0;                   // template 131
  virtual bool AskDriver(std::string* driverPath, std::string* cardName) = 0;  // template 129

  // Runs `work` off the window's thread, the window staying live; work
  // that takes longer than about half a second shows a progress window
  // titled `title` over the main window, with what is being done, a bar
  // and a Cancel button, which makes the work's next Progress::Step return
  // false. Returns when the work has ended: false when it was cancelled.
  // An exception the work lets out is caught at the edge of its thread
  // (FailureOf): `*failure` then says why, "" otherwise. The work must not
  // touch the view.
  virtual bool RunLongWork(const std::string& title, const std::function<void(Progress&)>& work,
                           std::string* failure) = 0;
};
