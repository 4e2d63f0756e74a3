// The main window in memory, for running the card commands without a
// window: rows, selection, details, buttons, and every message box shown,
// in order. Dialog answers are queued by the test beforehand.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "window/main_view.h"

struct ShownBox {
  enum Kind { kMessage, kAppMessage, kFileError };
  Kind kind;
  std::string text;
  std::string caption;  // only for kMessage
};

class FakeMainView : public MainView {
 public:
  // Rows and selection.
  std::vector<std::string> rows;
  int selected = -1;
  bool listFocused = false;

  std::string driverName;
  std::string protocolText;
  bool buildButtonsEnabled = true;

  std::vector<ShownBox> boxes;

  // Answers for the dialogs: an empty optional-like entry (cancelled) is
  // queued with Cancel*().
  struct DriverAnswer {
    bool ok;
    std::string path;
    std::string name;
  };
  std::deque<std::pair<bool, std::string>> targetPathAnswers;
  std::deque<std::pair<bool, std::string>> newNameAnswers;
  std::deque<DriverAnswer> driverAnswers;
  int dialogsRun = 0;

  // Long work runs at once on the caller's thread; its steps are recorded,
  // and the user cancels at step `cancelAtStep` (1 the first; 0 never).
  std::vector<std::string> progressTitles;
  std::vector<std::string> steps;
  int cancelAtStep = 0;
  // Called at each step with its number, before the cancel is looked at:
  // what another program does meanwhile.
  std::function<void(int step)> onStep;

  void AnswerTargetPath(const std::string& path) { targetPathAnswers.push_back({true, path}); }
  void AnswerNewName(const std::string& name) { newNameAnswers.push_back({true, name}); }
  void AnswerDriver(const std::string& path, const std::string& name) {
    driverAnswers.push_back({true, path, name});
  }

  // The texts of all boxes shown, in order.
  std::vector<std::string> BoxTexts() const;

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
};
