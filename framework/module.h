// The one small place that knows the program module: its instance handle,
// its name, and its main window. Dialogs, menus, icons and the application's
// message boxes take what they need from here, never from the application
// object.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

// The program file's instance (the one WinMain receives).
HINSTANCE ModuleHandle();

// The program file's name without its extension: the caption of the
// application's message boxes.
const std::string& AppName();

// The main window while it runs (nullptr before and after): the owner of an
// application box shown while no window of the program is active.
CWnd* MainWindow();
void SetMainWindow(CWnd* window);
