#include "framework/module.h"

#include "port/file_system.h"
#include "text/cp936_path.h"

namespace {
CWnd* mainWindow = nullptr;
}

HINSTANCE ModuleHandle() { return GetModuleHandleA(nullptr); }

const std::string& AppName() {
  static const std::string name = cp936::BaseNameOf(port::ModuleFileName());
  return name;
}

CWnd* MainWindow() { return mainWindow; }

void SetMainWindow(CWnd* window) { mainWindow = window; }
