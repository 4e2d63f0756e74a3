// BeginPaint for the life of the object.
#pragma once

#include <windows.h>

class CPaintDC {
 public:
  explicit CPaintDC(HWND window) : m_hWnd(window) { m_hDC = BeginPaint(window, &m_ps); }
  ~CPaintDC() { EndPaint(m_hWnd, &m_ps); }
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;

  HDC m_hDC;

 private:
  HWND m_hWnd;
  PAINTSTRUCT m_ps;
};
