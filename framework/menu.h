// A menu loaded from a resource, destroyed with the object.
#pragma once

#include <windows.h>

class CMenu {
 public:
  CMenu() = default;
  explicit CMenu(HMENU menu) : m_hMenu(menu), m_bOwned(false) {}
  ~CMenu() { DestroyMenu(); }
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  BOOL LoadMenu(UINT id);
  HMENU GetSubMenu(int position) const { return ::GetSubMenu(m_hMenu, position); }
  void DestroyMenu();

  HMENU m_hMenu = nullptr;

 private:
  bool m_bOwned = true;
};
