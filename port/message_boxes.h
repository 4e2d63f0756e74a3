// The message boxes core code may show. The application implements them with
// its dialog framework; tests record them.
#pragma once

#include <string>

namespace port {

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
};

}  // namespace port
