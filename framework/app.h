// The application object: one static instance of a class derived from
// CWinApp, whose InitInstance is the whole program. There is no message
// loop of its own; a modal main dialog supplies it.
#pragma once

#include <windows.h>

class CWinApp {
 public:
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Returns FALSE to end the program (the only case this program needs).
  virtual BOOL InitInstance() = 0;

  // Runs before any window, for a program that also works from its
  // command line: true when it ran the command line, whose exit status is
  // then `*status` and the program's.
  virtual bool RunCommandLine(int* /*status*/) { return false; }
};

CWinApp* AfxGetApp();

// WinMain's body: runs the command line when the application takes it;
// otherwise sets the common controls up and runs InitInstance.
int RunApplication();
