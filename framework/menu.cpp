#include "framework/menu.h"

#include "framework/app.h"

BOOL CMenu::LoadMenu(UINT id) {
  DestroyMenu();
  CWinApp* app = AfxGetApp();
  m_hMenu = ::LoadMenuA(app != nullptr ? app->m_hInstance : GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
  m_bOwned = true;
  return m_hMenu != nullptr;
}

void CMenu::DestroyMenu() {
  if (m_hMenu != nullptr && m_bOwned) ::DestroyMenu(m_hMenu);
  m_hMenu = nullptr;
}
