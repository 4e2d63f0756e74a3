// The application object: one static instance of a class derived from
// CWinApp, whose InitInstance is the whole program. There is no message
// loop of its own; a modal main dialog supplies it.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
 public:
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Returns FALSE to end the program (the only case this program needs).
  virtual BOOL InitInstance() = 0;

  HICON LoadIcon(UINT id) const;
  // The program file's name without its extension: the caption of the
  // application's message boxes.
  const std::string& AppName() const { return m_strAppName; }

  HINSTANCE m_hInstance = nullptr;
  CWnd* m_pMainWnd = nullptr;

 private:
  friend int RunApplication(HINSTANCE instance);
  std::string m_strAppName;
};

CWinApp* AfxGetApp();

// WinMain's body: sets the application up and runs InitInstance.
int RunApplication(HINSTANCE instance);
