#include "app_driver.h"

#include <commctrl.h>
#include <shlobj.h>

#include <chrono>
#include <thread>

#include "text/cp936_path.h"

const char kMainCaption[] = "Halvar网络克隆启动盘网卡驱动配置程序";

namespace {

// Memory in the target process, for list-view messages whose parameters
// are pointers.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, size_t size) : process_(process), size_(size) {
    address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
  void Write(size_t offset, const void* data, size_t size) const {
    SIZE_T written = 0;
    WriteProcessMemory(process_, at(offset), data, size, &written);
  }
  void Read(size_t offset, void* data, size_t size) const {
    SIZE_T read = 0;
    ReadProcessMemory(process_, at(offset), data, size, &read);
  }

 private:
  HANDLE process_;
  size_t size_;
  void* address_;
};

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

struct FindContext {
  DWORD processId;
  HWND except;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM lParam) {
  FindContext* context = reinterpret_cast<FindContext*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != context->processId || window == context->except || !IsWindowVisible(window)) return TRUE;
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) == "#32770") context->found.push_back(window);
  return TRUE;
}

std::vector<HWND> DialogsOf(DWORD processId, HWND except) {
  FindContext context{processId, except, {}};
  EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&context));
  return context.found;
}

BOOL CALLBACK FindIcon(HWND child, LPARAM lParam) {
  HWND* icon = reinterpret_cast<HWND*>(lParam);
  char className[64] = {};
  GetClassNameA(child, className, sizeof className);
  if (std::string(className) == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
      IsWindowVisible(child) && SendMessageA(child, STM_GETICON, 0, 0) != 0) {
    *icon = child;
    return FALSE;
  }
  return TRUE;
}

// The pixels of a screen rectangle.
std::vector<COLORREF> Capture(HDC source, int x, int y, int width, int height) {
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateCompatibleBitmap(source, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
  std::vector<COLORREF> pixels;
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) pixels.push_back(GetPixel(memory, column, row));
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return pixels;
}

// Icon handles are not shared between processes here, so the icon a box
// shows is told by its picture: the icon control's pixels on the screen are
// compared with each standard icon drawn on the same background.
MessageBoxSeen::Icon IdentifyIcon(HWND iconControl) {
  RECT rect;
  GetWindowRect(iconControl, &rect);
  const int width = GetSystemMetrics(SM_CXICON);
  const int height = GetSystemMetrics(SM_CYICON);
  HDC screen = GetDC(nullptr);
  const std::vector<COLORREF> shown = Capture(screen, rect.left, rect.top, width, height);
  const COLORREF background = shown.empty() ? RGB(0, 0, 0) : shown[0];
  struct Candidate {
    LPCSTR id;
    MessageBoxSeen::Icon icon;
  };
  MessageBoxSeen::Icon best = MessageBoxSeen::kOther;
  size_t bestMatches = 0;
  for (const Candidate& candidate : {Candidate{IDI_EXCLAMATION, MessageBoxSeen::kExclamation},
                                     Candidate{IDI_HAND, MessageBoxSeen::kStop},
                                     Candidate{IDI_ASTERISK, MessageBoxSeen::kOther},
                                     Candidate{IDI_QUESTION, MessageBoxSeen::kOther}}) {
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all = {0, 0, width, height};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, LoadIconA(nullptr, candidate.id), width, height, 0, nullptr, DI_NORMAL);
    const std::vector<COLORREF> drawn = Capture(memory, 0, 0, width, height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    size_t matches = 0;
    for (size_t i = 0; i < shown.size() && i < drawn.size(); ++i) matches += shown[i] == drawn[i];
    if (matches > bestMatches) {
      bestMatches = matches;
      best = candidate.icon;
    }
  }
  ReleaseDC(nullptr, screen);
  // A near-perfect match only; anything else is some other picture.
  return bestMatches * 10 >= shown.size() * 9 ? best : MessageBoxSeen::kOther;
}

}  // namespace

RunningApp::RunningApp(const std::string& exePath, const std::string& currentFolder) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + exePath + "\"";
  if (!CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup, &process_)) {
    return;
  }
  WaitForInputIdle(process_.hProcess, 15000);
  for (int waited = 0; waited < 30000 && main_ == nullptr; waited += 50) {
    for (HWND window : DialogsOf(process_.dwProcessId, nullptr)) {
      if (Text(window) == kMainCaption) main_ = window;
    }
    if (main_ == nullptr) Sleep(50);
  }
}

RunningApp::~RunningApp() {
  if (process_.hProcess != nullptr) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
}

std::string RunningApp::Text(HWND window) {
  char buffer[8192] = {};
  SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

void RunningApp::SetText(HWND window, const std::string& text) {
  SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::vector<std::string> RunningApp::Rows(HWND list, int column) const {
  std::vector<std::string> rows;
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  const size_t textSize = 1024;
  RemoteBuffer remote(process_.hProcess, sizeof(LVITEMA) + textSize);
  for (int row = 0; row < count; ++row) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = remote.at(sizeof(LVITEMA));
    item.cchTextMax = static_cast<int>(textSize);
    remote.Write(0, &item, sizeof item);
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.at(0)));
    char text[1024] = {};
    remote.Read(sizeof(LVITEMA), text, sizeof text - 1);
    rows.push_back(text);
  }
  return rows;
}

std::string RunningApp::Heading(HWND list, int column) const {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  const size_t textSize = 256;
  RemoteBuffer remote(process_.hProcess, sizeof(HDITEMA) + textSize);
  HDITEMA item = {};
  item.mask = HDI_TEXT;
  item.pszText = remote.at(sizeof(HDITEMA));
  item.cchTextMax = static_cast<int>(textSize);
  remote.Write(0, &item, sizeof item);
  SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(remote.at(0)));
  char text[256] = {};
  remote.Read(sizeof(HDITEMA), text, sizeof text - 1);
  return text;
}

int RunningApp::SelectedRow(HWND list) {
  return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void RunningApp::SelectRow(HWND list, int row) const {
  RemoteBuffer remote(process_.hProcess, sizeof(LVITEMA));
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = row >= 0 ? (LVIS_SELECTED | LVIS_FOCUSED) : 0;
  remote.Write(0, &item, sizeof item);
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.at(0)));
}

namespace {

// The browser's tree, read and changed in the program's process.
class BrowserTree {
 public:
  BrowserTree(HANDLE process, HWND browser)
      : tree_(FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr)), remote_(process, sizeof(TVITEMA) + kTextSize) {}

  bool found() const { return tree_ != nullptr; }
  HTREEITEM Next(HTREEITEM item, WPARAM which) const {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
  }
  std::string Text(HTREEITEM item) const {
    TVITEMA entry = {};
    entry.mask = TVIF_TEXT;
    entry.hItem = item;
    entry.pszText = remote_.at(sizeof(TVITEMA));
    entry.cchTextMax = static_cast<int>(kTextSize);
    remote_.Write(0, &entry, sizeof entry);
    SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote_.at(0)));
    char read[kTextSize] = {};
    remote_.Read(sizeof(TVITEMA), read, sizeof read - 1);
    return read;
  }
  void Expand(HTREEITEM item) const { SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item)); }
  bool Select(HTREEITEM item) const {
    return SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
  }

 private:
  static constexpr size_t kTextSize = 512;
  HWND tree_;
  RemoteBuffer remote_;
};

}  // namespace

bool RunningApp::SelectBrowserItem(HWND browser, const std::vector<std::string>& names) const {
  BrowserTree tree(process_.hProcess, browser);
  if (!tree.found()) return false;
  HTREEITEM item = tree.Next(nullptr, TVGN_ROOT);
  for (const std::string& name : names) {
    if (item == nullptr) return false;
    tree.Expand(item);
    HTREEITEM child = tree.Next(item, TVGN_CHILD);
    while (child != nullptr && tree.Text(child) != name) child = tree.Next(child, TVGN_NEXT);
    item = child;
  }
  return item != nullptr && tree.Select(item);
}

bool RunningApp::SelectBrowserFolder(HWND browser, const std::string& path) const {
  RemoteBuffer remote(process_.hProcess, path.size() + 1);
  remote.Write(0, path.c_str(), path.size() + 1);
  const std::string name = cp936::FileNameOf(path);
  // The browser may still be making and filling its tree when it is first
  // shown, the longer on a machine busy with other tests.
  for (int waited = 0; waited < 30000; waited += 100) {
    BrowserTree tree(process_.hProcess, browser);
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remote.at(0)));
    if (tree.found() && tree.Text(tree.Next(nullptr, TVGN_CARET)) == name) return true;
    Sleep(100);
  }
  return false;
}

void RunningApp::Click(HWND dialog, int buttonId) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

void RunningApp::PostCommand(HWND window, int commandId) {
  // Sent, not posted: a message sent later (WaitUntilIdle's) is then handled
  // after the command, never before it as it would be before a posted one.
  // The short wait lets a command that opens a dialog go on without us.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0, SMTO_NORMAL, 200, &ignored);
}

std::vector<HWND> RunningApp::OpenDialogs() const { return DialogsOf(process_.dwProcessId, main_); }

HWND RunningApp::WaitForDialog(const std::string& caption, int timeoutMs) const {
  for (int waited = 0; waited < timeoutMs; waited += 50) {
    for (HWND window : OpenDialogs()) {
      if (caption.empty() || Text(window) == caption) return window;
    }
    Sleep(50);
  }
  return nullptr;
}

MessageBoxSeen RunningApp::WaitForMessageBox(int timeoutMs) const {
  MessageBoxSeen seen;
  for (int waited = 0; waited < timeoutMs && seen.window == nullptr; waited += 50) {
    for (HWND window : OpenDialogs()) {
      // A message box shows its text in a static with id 0xFFFF.
      HWND textControl = GetDlgItem(window, 0xFFFF);
      if (textControl != nullptr) seen.window = window;
    }
    if (seen.window == nullptr) Sleep(50);
  }
  if (seen.window == nullptr) return seen;
  Sleep(100);  // let the box finish laying itself out
  seen.caption = Text(seen.window);
  seen.text = Text(GetDlgItem(seen.window, 0xFFFF));
  HWND iconControl = nullptr;
  EnumChildWindows(seen.window, FindIcon, reinterpret_cast<LPARAM>(&iconControl));
  seen.icon = iconControl == nullptr ? MessageBoxSeen::kNone : IdentifyIcon(iconControl);
  return seen;
}

MessageBoxSeen RunningApp::AcceptMessageBox(int timeoutMs) const {
  MessageBoxSeen seen = WaitForMessageBox(timeoutMs);
  if (seen.window != nullptr) {
    PostMessageA(seen.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int waited = 0; waited < 5000 && IsWindow(seen.window); waited += 20) Sleep(20);
  }
  return seen;
}

bool RunningApp::WaitUntilIdle(int timeoutMs) const {
  for (int waited = 0; waited < timeoutMs; waited += 50) {
    if (OpenDialogs().empty() && IsWindowEnabled(main_)) {
      // A posted command may not have run yet: make sure the queue is empty.
      DWORD_PTR ignored = 0;
      SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
      if (OpenDialogs().empty()) return true;
    }
    Sleep(50);
  }
  return false;
}

bool RunningApp::WaitForExit(int timeoutMs) const {
  return WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

void ClickAt(POINT screenPoint, bool rightButton) {
  SetCursorPos(screenPoint.x, screenPoint.y);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  SendInput(1, &inputs[0], sizeof(INPUT));
  Sleep(50);
  SendInput(1, &inputs[1], sizeof(INPUT));
  Sleep(200);
}

void PressKey(WORD virtualKey) {
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[1].ki.wVk = virtualKey;
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof(INPUT));
  Sleep(200);
}

POINT RowCentre(const RunningApp& app, HWND list, int row) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, app.processId());
  RECT rect = {};
  {
    RemoteBuffer remote(process, sizeof(RECT));
    RECT request = {LVIR_LABEL, 0, 0, 0};
    remote.Write(0, &request, sizeof request);
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.at(0)));
    remote.Read(0, &rect, sizeof rect);
  }
  CloseHandle(process);
  POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ClientToScreen(list, &centre);
  return centre;
}

HWND WaitForPopupMenu(const RunningApp& app, int timeoutMs) {
  for (int waited = 0; waited < timeoutMs; waited += 50) {
    HWND menu = nullptr;
    while ((menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) != nullptr) {
      DWORD pid = 0;
      GetWindowThreadProcessId(menu, &pid);
      if (pid == app.processId() && IsWindowVisible(menu)) {
        Sleep(200);  // shown a little before its loop reads keys, on a busy machine
        return menu;
      }
    }
    Sleep(50);
  }
  return nullptr;
}
