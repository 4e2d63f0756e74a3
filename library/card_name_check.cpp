#include "library/card_name_check.h"

#include <cstring>

#include "text/cp936_path.h"

namespace {

bool IsReservedDeviceName(const std::string& name) {
  // The device names are reserved with any extension: "CON.txt" is CON.
  const std::size_t dot = cp936::FindFirst(name, '.');
  std::string stem = cp936::UpperAscii(dot == cp936::npos ? name : name.substr(0, dot));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (const char* reserved : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (stem == reserved) return true;
  }
  if (stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
      stem[3] >= '1' && stem[3] <= '9') {
    return true;
  }
  return false;
}

}  // namespace

std::string CheckCardName(const std::string& name) {
  if (name.empty()) return "网卡名称不能为空！";
  if (name == "." || name == "..") return "网卡名称不能是“.”或“..”！";
  // A broken double-byte character would swallow the backslash joined after
  // the name, or hide a separator as its trail byte.
  if (!cp936::IsWholeText(name)) return "网卡名称中有不完整的双字节字符！";
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (cp936::IsLeadByte(c) && i + 1 < name.size()) {
      ++i;  // a double-byte character: its trail byte is never a separator
      continue;
    }
    if (c < 0x20 || c == 0x7F) return "网卡名称中不能有控制字符！";
    if (std::strchr("\\/:*?\"<>|", c) != nullptr) {
      return "网卡名称中不能有下列字符：\\ / : * ? \" < > |";
    }
  }
  if (IsReservedDeviceName(name)) return "网卡名称不能使用系统保留的设备名（如 CON、PRN、AUX、NUL、COM1、LPT1）！";
  const char last = name.back();
  if (last == ' ' || last == '.') return "网卡名称不能以空格或“.”结尾！";
  return std::string();
}

bool SameCardFolderName(const std::string& a, const std::string& b) { return cp936::EqualIgnoringCase(a, b); }

const CardEntry* FindCardNamed(const CardList& cards, const std::string& name) {
  for (const CardEntry& entry : cards) {
    if (SameCardFolderName(entry.cardName, name)) return &entry;
  }
  return nullptr;
}
