#include "fat/dos_name.h"

#include <cstring>

#include "text/cp936_path.h"

namespace fat {

namespace {

bool IsDosNameCharacter(char c) {
  static const char kPunctuation[] = "!#$%&'()-@^_`{}~";
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         (c != 0 && std::strchr(kPunctuation, c) != nullptr);
}

// A base name or extension of 1 to `most` bytes of DOS name characters.
bool IsDosNamePart(const std::string& part, std::size_t most) {
  if (part.empty() || part.size() > most) return false;
  for (std::size_t i = 0; i < part.size(); ++i) {
    const std::uint8_t c = static_cast<std::uint8_t>(part[i]);
    if (cp936::IsLeadByte(c)) {
      if (i + 1 >= part.size() || !cp936::IsTrailByte(static_cast<std::uint8_t>(part[i + 1]))) return false;
      ++i;
    } else if (!IsDosNameCharacter(static_cast<char>(c))) {
      return false;
    }
  }
  return true;
}

bool IsDeviceName(const std::string& upperBase) {
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CLOCK$"};
  for (const char* device : kDevices) {
    if (upperBase == device) return true;
  }
  return upperBase.size() == 4 && (upperBase.compare(0, 3, "COM") == 0 || upperBase.compare(0, 3, "LPT") == 0) &&
         upperBase[3] >= '1' && upperBase[3] <= '9';
}

bool HasLetters(const std::string& text, bool lower) {
  bool any = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (cp936::IsLeadByte(static_cast<std::uint8_t>(c))) {
      ++i;
      continue;
    }
    if (lower ? (c >= 'a' && c <= 'z') : (c >= 'A' && c <= 'Z')) any = true;
  }
  return any;
}

}  // namespace

DosStamp MakeDosStamp(int year, int month, int day, int hour, int minute, int second) {
  if (year < 1980) {
    year = 1980, month = 1, day = 1, hour = 0, minute = 0, second = 0;
  } else if (year > 2107) {
    year = 2107, month = 12, day = 31, hour = 23, minute = 59, second = 58;
  }
  DosStamp stamp;
  stamp.date = static_cast<std::uint16_t>((year - 1980) << 9 | month << 5 | day);
  stamp.time = static_cast<std::uint16_t>(hour << 11 | minute << 5 | second / 2);
  return stamp;
}

bool ShortNameOf(const std::string& fileName, std::string* shortName) {
  const std::size_t dot = cp936::FindFirst(fileName, '.');
  if (dot != cp936::FindLast(fileName, '.')) return false;
  const std::string base = fileName.substr(0, dot);
  const std::string extension = dot == cp936::npos ? std::string() : fileName.substr(dot + 1);
  if (!IsDosNamePart(base, 8)) return false;
  if (dot != cp936::npos && !IsDosNamePart(extension, 3)) return false;
  const std::string upperBase = cp936::UpperAscii(base);
  if (IsDeviceName(upperBase)) return false;
  std::string name = upperBase + std::string(8 - base.size(), ' ') + cp936::UpperAscii(extension) +
                     std::string(3 - extension.size(), ' ');
  if (static_cast<std::uint8_t>(name[0]) == kDeletedMark) name[0] = 0x05;
  *shortName = name;
  return true;
}

std::string DisplayName(const std::string& stored) {
  std::string base = stored.substr(0, 8);
  std::string extension = stored.substr(8, 3);
  while (!base.empty() && base.back() == ' ') base.pop_back();
  while (!extension.empty() && extension.back() == ' ') extension.pop_back();
  if (!base.empty() && static_cast<std::uint8_t>(base[0]) == 0x05) base[0] = static_cast<char>(kDeletedMark);
  return extension.empty() ? base : base + "." + extension;
}

bool IsSoundShortName(const std::string& stored) {
  static const char kForbidden[] = "*?<>|\"\\/:.+,;=[]";
  for (int i = 0; i < 11; ++i) {
    const std::uint8_t c = static_cast<std::uint8_t>(stored[i]);
    if ((c < 0x20 && !(i == 0 && c == 0x05)) || c == 0x7F) return false;
    if (c != 0 && std::strchr(kForbidden, c) != nullptr) return false;
  }
  if (stored[0] == ' ') return false;
  for (int part = 0; part < 2; ++part) {
    const int from = part == 0 ? 0 : 8;
    const int to = part == 0 ? 8 : 11;
    bool blank = false;
    for (int i = from; i < to; ++i) {
      if (stored[i] == ' ') {
        blank = true;
      } else if (blank) {
        return false;
      }
    }
  }
  return true;
}

std::uint8_t ShortNameChecksum(const std::string& stored) {
  std::uint8_t sum = 0;
  for (int i = 0; i < 11; ++i) {
    sum = static_cast<std::uint8_t>(((sum & 1) ? 0x80 : 0) + (sum >> 1) + static_cast<std::uint8_t>(stored[i]));
  }
  return sum;
}

std::uint8_t LowerCaseFlags(const std::string& fileName) {
  const std::size_t dot = cp936::FindLast(fileName, '.');
  const std::string base = fileName.substr(0, dot);
  const std::string extension = dot == cp936::npos ? std::string() : fileName.substr(dot + 1);
  std::uint8_t flags = 0;
  if (HasLetters(base, true) && !HasLetters(base, false)) flags |= kLowerCaseBase;
  if (HasLetters(extension, true) && !HasLetters(extension, false)) flags |= kLowerCaseExtension;
  return flags;
}

}  // namespace fat
