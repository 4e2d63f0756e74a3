// What a command did, for the front end that shows it: what the user is
// told, in the order it arose, and whether the command did what it says.
// The core only fills it in; the window turns each notice into the message
// box it has always shown, the command line into a line and an exit status.
#pragma once

#include <string>
#include <vector>

struct Notice {
  enum class Kind {
    kSuccess,    // done as asked (the window's own box, "创建成功")
    kRefusal,    // refused, nothing changed (the window's own box, the command's caption)
    kCancelled,  // stopped by the user (the window's own box, "创建取消")
    kFailure,    // file work that failed (the application's box, with the exclamation icon)
    kFileError,  // a file error that ended the command (the stop box)
  };
  Kind kind;
  std::string text;
};

struct Outcome {
  std::vector<Notice> notices;
  bool succeeded = false;

  void Succeed(std::string text);  // also marks the outcome a success
  void Refuse(std::string text);
  void Cancel(std::string text);
  void Fail(std::string text);
  void FailAll(const std::vector<std::string>& texts);  // each as a failure
  void FileError(std::string text);
  // True once a refusal, a failure or a file error has been noted.
  bool HasTrouble() const;
};
