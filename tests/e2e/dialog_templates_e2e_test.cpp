// The dialog templates compiled into Tovrell.exe, read back from the program
// file and compared, control by control, with the layout the dialogs are
// designed to have: so no default of a resource compiler (windres leaves out
// an LTEXT's WS_GROUP when other styles are given) changes a dialog unseen.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "program_folder.h"

namespace {

constexpr int kAnyId = INT_MIN;  // the layout leaves the id open
constexpr short kAnySize = -1;   // the layout gives only the position
constexpr DWORD kChildVisible = WS_CHILD | WS_VISIBLE;
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

struct Control {
  int id;
  std::string cls;  // predefined classes by name, names in lower case
  DWORD style;
  DWORD exStyle;
  short x, y, cx, cy;
  std::string text;  // code page 936; a resource ordinal as "#n"
};

struct Dialog {
  DWORD style;
  DWORD exStyle;
  short x, y, cx, cy;
  std::string menu, windowClass, caption;
  int pointSize;
  std::string face;
  std::vector<Control> controls;
};

// Control rows as the layout states them: the styles beyond WS_CHILD and
// WS_VISIBLE, no extended styles; text nullptr where the text is left open.
struct ExpectedControl {
  int id;
  const char* cls;
  DWORD style;
  short x, y, cx, cy;
  const char* text;
};

struct ExpectedDialog {
  int resource;
  DWORD style;
  DWORD exStyle;
  short cx, cy;
  const char* caption;
  int pointSize;
  std::vector<ExpectedControl> controls;
};

// Reads a dialog template, DLGTEMPLATE or DLGTEMPLATEEX.
class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* data) : data_(data) {}

  Dialog Read() {
    Dialog dialog{};
    const bool extended = Word(0) == 1 && Word(2) == 0xFFFF;
    if (extended) {
      at_ = 8;
      dialog.exStyle = DoubleWord();
      dialog.style = DoubleWord();
    } else {
      dialog.style = DoubleWord();
      dialog.exStyle = DoubleWord();
    }
    const int count = NextWord();
    ReadRectangle(&dialog.x, &dialog.y, &dialog.cx, &dialog.cy);
    dialog.menu = NameOrOrdinal();
    dialog.windowClass = NameOrOrdinal();
    dialog.caption = NameOrOrdinal();
    if (dialog.style & DS_SETFONT) {
      dialog.pointSize = NextWord();
      if (extended) at_ += 4;  // weight, italic, character set
      dialog.face = NameOrOrdinal();
    }
    for (int i = 0; i < count; ++i) {
      at_ = (at_ + 3) & ~std::size_t{3};
      Control control{};
      if (extended) {
        at_ += 4;  // help id
        control.exStyle = DoubleWord();
        control.style = DoubleWord();
      } else {
        control.style = DoubleWord();
        control.exStyle = DoubleWord();
      }
      ReadRectangle(&control.x, &control.y, &control.cx, &control.cy);
      control.id = extended ? static_cast<int>(DoubleWord()) : static_cast<short>(NextWord());
      control.cls = ClassName(NameOrOrdinal());
      control.text = NameOrOrdinal();
      // Creation data: its size counts the size word itself in the older form.
      const WORD creationData = NextWord();
      at_ += extended || creationData == 0 ? creationData : creationData - 2;
      dialog.controls.push_back(control);
    }
    return dialog;
  }

 private:
  WORD Word(std::size_t at) const { return static_cast<WORD>(data_[at] | data_[at + 1] << 8); }
  WORD NextWord() {
    const WORD value = Word(at_);
    at_ += 2;
    return value;
  }
  DWORD DoubleWord() {
    const DWORD low = NextWord();
    return low | static_cast<DWORD>(NextWord()) << 16;
  }
  void ReadRectangle(short* x, short* y, short* cx, short* cy) {
    *x = static_cast<short>(NextWord());
    *y = static_cast<short>(NextWord());
    *cx = static_cast<short>(NextWord());
    *cy = static_cast<short>(NextWord());
  }
  // A name in code page 936, an ordinal as "#n", nothing as "".
  std::string NameOrOrdinal() {
    if (Word(at_) == 0xFFFF) {
      at_ += 2;
      return "#" + std::to_string(NextWord());
    }
    std::wstring wide;
    for (WORD c = NextWord(); c != 0; c = NextWord()) wide += static_cast<wchar_t>(c);
    if (wide.empty()) return std::string();
    std::string narrow(wide.size() * 2, '\0');
    const int size = WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), &narrow[0],
                                         static_cast<int>(narrow.size()), nullptr, nullptr);
    narrow.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    return narrow;
  }
  static std::string ClassName(std::string cls) {
    static const char* const kPredefined[] = {"button", "edit", "static", "listbox", "scrollbar", "combobox"};
    for (int i = 0; i < 6; ++i) {
      if (cls == "#" + std::to_string(0x80 + i)) return kPredefined[i];
    }
    for (char& c : cls) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return cls;
  }

  const BYTE* data_;
  std::size_t at_ = 0;
};

const std::vector<ExpectedDialog>& Layouts() {
  static const std::vector<ExpectedDialog> layouts = {
      // About box: ICON, LTEXT with SS_NOPREFIX, LTEXT, DEFPUSHBUTTON.
      {100, kDialogStyle, 0, 235, 55, "关于 Tovrell", 9,
       {
           {kAnyId, "static", SS_ICON, 11, 17, kAnySize, kAnySize, "#128"},
           {kAnyId, "static", SS_LEFT | WS_GROUP | SS_NOPREFIX, 40, 10, 119, 8, "Tovrell 1.0 版"},
           {kAnyId, "static", SS_LEFT | WS_GROUP, 40, 25, 119, 8, nullptr},
           {IDOK, "button", BS_DEFPUSHBUTTON | WS_TABSTOP, 178, 7, 50, 14, "确定"},
       }},
      {102, kDialogStyle | WS_VISIBLE, WS_EX_APPWINDOW, 286, 231, "Halvar网络克隆启动盘网卡驱动配置程序", 10,
       {
           {-1, "button", BS_GROUPBOX, 4, 2, 85, 225, "网卡名称列表"},
           {1017, "syslistview32", WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_EDITLABELS, 11, 14, 71,
            189, ""},
           {1001, "button", WS_TABSTOP, 10, 208, 43, 14, "添加网卡"},
           {IDCANCEL, "button", WS_TABSTOP, 228, 206, 46, 14, "退出"},
           {-1, "button", BS_GROUPBOX, 96, 2, 184, 225, "详细信息"},
           {-1, "static", WS_GROUP, 129, 17, 37, 8, "驱动名称:"},
           {-1, "static", WS_GROUP, 129, 33, 53, 8, "Protocol.ini:"},
           {1009, "edit",
            WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, 102,
            48, 171, 152, ""},
           {1010, "button", WS_TABSTOP, 103, 206, 50, 14, "创建NET目录"},
           {1011, "button", WS_TABSTOP, 166, 206, 46, 14, "创建U盘"},
           {1019, "static", WS_GROUP, 170, 15, 60, 11, ""},
           {1023, "static", SS_BITMAP, 102, 15, 18, 13, "#138"},
           {-1, "static", SS_BITMAP, 102, 30, 18, 15, "#137"},
           {-1, "static", SS_BITMAP, 234, 10, 40, 33, "#139"},
       }},
      {129, kDialogStyle, 0, 245, 189, "添加驱动程序", 10,
       {
           {-1, "static", WS_GROUP, 8, 11, 35, 8, "驱动名称:"},
           {1014, "edit", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 58, 7, 127, 16, ""},
           {-1, "static", WS_GROUP, 8, 31, 20, 8, "路径:"},
           {1012, "edit", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 34, 27, 151, 16, ""},
           {1013, "button", WS_TABSTOP, 197, 28, 41, 15, "浏览"},
           {-1, "button", BS_GROUPBOX, 7, 46, 178, 118, "查询结果"},
           {1017, "syslistview32", WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL, 12, 58, 168, 100, ""},
           {1016, "static", WS_GROUP | SS_SUNKEN, 7, 168, 178, 14, "Static"},
           {1015, "button", WS_TABSTOP | BS_DEFPUSHBUTTON, 197, 145, 41, 15, "添加"},
           {IDCANCEL, "button", WS_TABSTOP, 197, 167, 41, 15, "退出"},
       }},
      {130, kDialogStyle, 0, 207, 63, "创建路径", 10,
       {
           {IDOK, "button", WS_TABSTOP | BS_DEFPUSHBUTTON, 103, 41, 45, 14, "确定"},
           {-1, "button", BS_GROUPBOX, 7, 3, 193, 33, "创建目录"},
           {1018, "edit", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 12, 14, 183, 17, ""},
           {IDCANCEL, "button", WS_TABSTOP, 153, 41, 45, 14, "取消"},
           {1013, "button", WS_TABSTOP, 53, 41, 45, 14, "浏览"},
       }},
      {131, kDialogStyle, 0, 175, 49, "更改名称", 10,
       {
           {IDCANCEL, "button", WS_TABSTOP | BS_DEFPUSHBUTTON, 126, 27, 42, 14, "取消"},
           {-1, "static", WS_GROUP, 7, 11, 68, 8, "输入更改后的名称："},
           {IDOK, "button", WS_TABSTOP | BS_DEFPUSHBUTTON, 79, 27, 42, 14, "确定"},
           {1022, "edit", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 78, 7, 90, 16, ""},
       }},
      // The first radio button starts its group; the label after the second
      // ends it.
      {134, kDialogStyle, 0, 240, 229, "网络设置", 10,
       {
           {-1, "button", BS_GROUPBOX, 7, 4, 226, 97, "标识"},
           {-1, "static", WS_GROUP, 15, 19, 44, 8, "计算机名:"},
           {1026, "edit", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 62, 16, 163, 14, ""},
           {1027, "button", WS_TABSTOP | BS_AUTO3STATE, 62, 33, 163, 10, "每台电脑使用不同的计算机名"},
           {-1, "static", WS_GROUP, 15, 50, 44, 8, "用户名:"},
           {1028, "edit", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 62, 47, 163, 14, ""},
           {-1, "static", WS_GROUP, 15, 67, 44, 8, "工作组:"},
           {1029, "edit", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 62, 64, 163, 14, ""},
           {-1, "static", WS_GROUP, 15, 84, 44, 8, "登录域:"},
           {1030, "edit", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 62, 81, 163, 14, ""},
           {-1, "button", BS_GROUPBOX, 7, 106, 226, 96, "TCP/IP"},
           {1031, "button", WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON, 15, 119, 210, 10, "自动获取IP地址 (DHCP)"},
           {1032, "button", BS_AUTORADIOBUTTON, 15, 133, 210, 10, "使用下面的IP地址"},
           {-1, "static", WS_GROUP, 27, 151, 44, 8, "IP地址:"},
           {1033, "edit", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 80, 148, 100, 14, ""},
           {-1, "static", WS_GROUP, 27, 168, 44, 8, "子网掩码:"},
           {1034, "edit", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 80, 165, 100, 14, ""},
           {-1, "static", WS_GROUP, 27, 185, 44, 8, "默认网关:"},
           {1035, "edit", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 80, 182, 100, 14, ""},
           {IDOK, "button", WS_TABSTOP | BS_DEFPUSHBUTTON, 129, 208, 50, 14, "确定"},
           {IDCANCEL, "button", WS_TABSTOP, 183, 208, 50, 14, "取消"},
       }},
  };
  return layouts;
}

std::string Hex(DWORD value) {
  char text[16];
  wsprintfA(text, "0x%08lX", static_cast<unsigned long>(value));
  return text;
}

TEST(DialogTemplates, EveryDialogAndControlIsCompiledAsLaidOut) {
  ProgramFolder folder;
  HMODULE module = LoadLibraryExA(folder.exe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  for (const ExpectedDialog& expected : Layouts()) {
    SCOPED_TRACE("template " + std::to_string(expected.resource));
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(expected.resource), MAKEINTRESOURCEA(5));  // RT_DIALOG
    ASSERT_NE(found, nullptr);
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(data, nullptr);
    const Dialog dialog = TemplateReader(data).Read();
    EXPECT_EQ(Hex(dialog.style), Hex(expected.style));
    EXPECT_EQ(Hex(dialog.exStyle), Hex(expected.exStyle));
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, expected.cx);
    EXPECT_EQ(dialog.cy, expected.cy);
    EXPECT_EQ(dialog.menu, "");
    EXPECT_EQ(dialog.windowClass, "");
    EXPECT_EQ(dialog.caption, expected.caption);
    EXPECT_EQ(dialog.pointSize, expected.pointSize);
    EXPECT_EQ(dialog.face, "宋体");
    ASSERT_EQ(dialog.controls.size(), expected.controls.size());
    for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
      const Control& control = dialog.controls[i];
      const ExpectedControl& want = expected.controls[i];
      SCOPED_TRACE("control " + std::to_string(i) + " (" + control.text + ")");
      if (want.id != kAnyId) {
        EXPECT_EQ(control.id, want.id);
      }
      EXPECT_EQ(control.cls, want.cls);
      EXPECT_EQ(Hex(control.style), Hex(kChildVisible | want.style));
      EXPECT_EQ(Hex(control.exStyle), Hex(0));
      EXPECT_EQ(control.x, want.x);
      EXPECT_EQ(control.y, want.y);
      if (want.cx != kAnySize) {
        EXPECT_EQ(control.cx, want.cx);
        EXPECT_EQ(control.cy, want.cy);
      }
      if (want.text != nullptr) {
        EXPECT_EQ(control.text, want.text);
      }
    }
  }
  FreeLibrary(module);
}

}  // namespace
