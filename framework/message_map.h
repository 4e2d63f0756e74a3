// A dialog's static message map: a table from (message, control id,
// notification code) to a member handler, declared beside the handlers.
//
//   BEGIN_MESSAGE_MAP(CMyDlg)
//     ON_BN_CLICKED(1001, OnAdd)
//     ON_NOTIFY(LVN_ITEMCHANGED, 1017, OnItemChanged)
//   END_MESSAGE_MAP()
#pragma once

#include <windows.h>

class CWnd;

enum class HandlerSignature {
  kEnd,
  kVoid,             // void OnX()
  kNotify,           // void OnX(NMHDR* header, LRESULT* result)
  kSysCommand,       // void OnX(UINT id, LPARAM lParam)
  kQueryDragIcon,    // HCURSOR OnX()
  kTimer,            // void OnX(UINT_PTR timerId)
  kMessage,          // LRESULT OnX(WPARAM wParam, LPARAM lParam)
};

// Exactly one handler member is set, the one of `signature`.
struct MessageMapEntry {
  UINT message;
  UINT id;    // control or command id; 0 for messages that carry none
  UINT code;  // notification code for WM_COMMAND and WM_NOTIFY
  HandlerSignature signature;
  void (CWnd::*onVoid)();
  void (CWnd::*onNotify)(NMHDR*, LRESULT*);
  void (CWnd::*onSysCommand)(UINT, LPARAM);
  HCURSOR (CWnd::*onQueryDragIcon)();
  void (CWnd::*onTimer)(UINT_PTR);
  LRESULT (CWnd::*onMessage)(WPARAM, LPARAM);
};

#define DECLARE_MESSAGE_MAP() \
 protected:                   \
  const MessageMapEntry* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass)                            \
  const MessageMapEntry* theClass::GetMessageMap() const {     \
    using ThisClass = theClass;                                \
    static const MessageMapEntry entries[] = {
#define END_MESSAGE_MAP()                                    \
  { 0, 0, 0, HandlerSignature::kEnd, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr } \
  }                                                          \
  ;                                                          \
  return entries;                                            \
  }

#define TOVRELL_VOID(fn) static_cast<void (CWnd::*)()>(&ThisClass::fn)

#define ON_BN_CLICKED(id, fn) \
  {WM_COMMAND, static_cast<UINT>(id), BN_CLICKED, HandlerSignature::kVoid, TOVRELL_VOID(fn), nullptr, nullptr, nullptr, nullptr, nullptr},
#define ON_COMMAND(id, fn) \
  {WM_COMMAND, static_cast<UINT>(id), 0, HandlerSignature::kVoid, TOVRELL_VOID(fn), nullptr, nullptr, nullptr, nullptr, nullptr},
#define ON_NOTIFY(code, id, fn)                                                                \
  {WM_NOTIFY, static_cast<UINT>(id), static_cast<UINT>(code), HandlerSignature::kNotify, nullptr, \
   static_cast<void (CWnd::*)(NMHDR*, LRESULT*)>(&ThisClass::fn), nullptr, nullptr, nullptr, nullptr},
#define ON_WM_SYSCOMMAND()                                                            \
  {WM_SYSCOMMAND, 0, 0, HandlerSignature::kSysCommand, nullptr, nullptr,              \
   static_cast<void (CWnd::*)(UINT, LPARAM)>(&ThisClass::OnSysCommand), nullptr, nullptr, nullptr},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, HandlerSignature::kVoid, TOVRELL_VOID(OnPaint), nullptr, nullptr, nullptr, nullptr, nullptr},
#define ON_WM_QUERYDRAGICON()                                                         \
  {WM_QUERYDRAGICON, 0, 0, HandlerSignature::kQueryDragIcon, nullptr, nullptr, nullptr, \
   static_cast<HCURSOR (CWnd::*)()>(&ThisClass::OnQueryDragIcon), nullptr, nullptr},
#define ON_WM_TIMER()                                                                          \
  {WM_TIMER, 0, 0, HandlerSignature::kTimer, nullptr, nullptr, nullptr, nullptr,                 \
   static_cast<void (CWnd::*)(UINT_PTR)>(&ThisClass::OnTimer), nullptr},
// A message of the program's own (WM_APP + n) posted to the window.
#define ON_MESSAGE(message, fn)                                                                  \
  {static_cast<UINT>(message), 0, 0, HandlerSignature::kMessage, nullptr, nullptr, nullptr, nullptr, nullptr, \
   static_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(&ThisClass::fn)},
