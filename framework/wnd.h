// A window handle with the few operations the dialogs use.
#pragma once

#include <windows.h>

#include <string>

class CDataExchange;

class CWnd {
 public:
  CWnd() = default;
  virtual ~CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  void SetFocus() { ::SetFocus(m_hWnd); }
  BOOL EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
  std::string GetWindowText() const;
  void SetWindowText(const std::string& text) { ::SetWindowTextA(m_hWnd, text.c_str()); }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  // CWnd::MessageBox: owned by this window, no icon unless the type has one.
  int MessageBox(const std::string& text, const std::string& caption, UINT type = MB_OK);

  // Moves values between the members and the controls: FALSE shows the
  // members, TRUE reads the controls back.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* pDX);

  // In a message handler: leave the message to the default processing.
  void Default() { m_bDefault = true; }

  HWND m_hWnd = nullptr;

 protected:
  bool m_bDefault = false;
};

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
  CWnd* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
};

// Binds a control object to the control with `id`.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// Exchanges the text of the control with `id` and `value`.
void DDX_Text(CDataExchange* pDX, int id, std::string& value);

// Controls that need nothing beyond CWnd.
class CStatic : public CWnd {};
class CEdit : public CWnd {};
