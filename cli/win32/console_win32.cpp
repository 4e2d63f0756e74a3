// The console on Windows, for a program of the window subsystem: it writes
// where its standard handles lead when the program that started it gave
// some (a redirection, a pipe), else to that program's console, which it
// attaches to; Ctrl-C and Ctrl-Break are noted rather than ending it.
#include <windows.h>

#include <atomic>

#include "cli/console.h"

namespace console {
namespace {

// The program's strings are code page 936 bytes, whatever the system's
// code pages are.
constexpr UINT kProgramCodePage = 936;

std::atomic<bool> interrupted{false};
HANDLE outHandle = INVALID_HANDLE_VALUE;
HANDLE errHandle = INVALID_HANDLE_VALUE;
bool attached = false;

BOOL WINAPI NoteInterrupt(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  interrupted = true;
  return TRUE;
}

bool IsUsable(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

HANDLE HandleOf(Stream stream) { return stream == Stream::kOut ? outHandle : errHandle; }

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return IsUsable(handle) && GetConsoleMode(handle, &mode) != 0;
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length = MultiByteToWideChar(kProgramCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(kProgramCodePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
  return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage) {
  if (wide.empty()) return std::string();
  const int length =
      WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &text[0], length, nullptr, nullptr);
  return text;
}

}  // namespace

void Open() {
  outHandle = GetStdHandle(STD_OUTPUT_HANDLE);
  errHandle = GetStdHandle(STD_ERROR_HANDLE);
  attached = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
  if (attached && (!IsUsable(outHandle) || !IsUsable(errHandle))) {
    const HANDLE console = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    if (!IsUsable(outHandle)) outHandle = console;
    if (!IsUsable(errHandle)) errHandle = console;
  }
  SetConsoleCtrlHandler(NoteInterrupt, TRUE);
}

std::vector<std::string> Arguments(int argc, char** argv) {
  // The runtime parsed them in the ANSI code page, the program's own.
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void Write(Stream stream, const std::string& text) {
  const HANDLE handle = HandleOf(stream);
  if (!IsUsable(handle) || text.empty()) return;
  DWORD written = 0;
  if (IsConsole(handle)) {
    const std::wstring wide = Wide(text);
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  const UINT codePage = attached ? GetConsoleOutputCP() : 0;
  const std::string bytes = codePage == 0 || codePage == kProgramCodePage ? text : Narrow(Wide(text), codePage);
  WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

bool IsTerminal(Stream stream) { return IsConsole(HandleOf(stream)); }

int Columns(Stream stream) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(HandleOf(stream), &info)) return 80;
  return info.srWindow.Right - info.srWindow.Left + 1;
}

bool Interrupted() { return interrupted; }

}  // namespace console
