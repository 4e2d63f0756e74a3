// The application's message boxes: AfxMessageBox (the exclamation icon
// unless the type names another, the application's name as caption) and
// the framework's report of a file error that escaped a command handler.
#pragma once

#include <windows.h>

#include <string>

int AfxMessageBox(const std::string& text, UINT type = MB_OK);

// A stop-icon box with the application's name as caption.
void AfxReportFileError(const std::string& text);
