#include "framework/menu.h"

#include "framework/module.h"

BOOL CMenu::LoadMenu(UINT id) {
  DestroyMenu();
  m_hMenu = ::LoadMenuA(ModuleHandle(), MAKEINTRESOURCEA(id));
  m_bOwned = true;
  return m_hMenu != nullptr;
}

void CMenu::DestroyMenu() {
  if (m_hMenu != nullptr && m_bOwned) ::DestroyMenu(m_hMenu);
  m_hMenu = nullptr;
}
