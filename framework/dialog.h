// A modal dialog run from a dialog template resource, with its message map.
#pragma once

#include <windows.h>

#include "framework/message_map.h"
#include "framework/wnd.h"

class CDialog : public CWnd {
 public:
  CDialog(UINT templateId, CWnd* parent);

  // Runs the dialog until EndDialog; returns its result (IDOK, IDCANCEL).
  virtual INT_PTR DoModal();

  virtual BOOL OnInitDialog();  // shows the members (UpdateData FALSE)
  virtual void OnOK();          // reads the controls back, ends with IDOK
  virtual void OnCancel();      // ends with IDCANCEL
  void EndDialog(INT_PTR result) { ::EndDialog(m_hWnd, result); }

 protected:
  virtual const MessageMapEntry* GetMessageMap() const;

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // True when a map entry handled the message; `result` is what to return.
  bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;
};
