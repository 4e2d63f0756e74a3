// The message boxes the commands show. The application implements them with
// its dialog framework; tests record them.
#pragma once

#include <string>
#include <vector>

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;

  // The window's own box (CWnd::MessageBox): OK button, no icon, the given
  // caption. Used for a handler's own checks and for the success messages.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;

  // The application's box (AfxMessageBox with MB_OK): OK button, the
  // exclamation icon, the program's name as caption. Used for failures of
  // file work.
  virtual void ShowAppMessage(const std::string& text) = 0;

  // The framework's report of a file error that escaped a command: OK
  // button, the stop icon, the program's name as caption.
  virtual void ShowFileError(const std::string& text) = 0;

  // The failures a file operation collected, one application box each, in
  // their order.
  void ShowAppMessages(const std::vector<std::string>& texts) {
    for (const std::string& text : texts) ShowAppMessage(text);
  }
};
