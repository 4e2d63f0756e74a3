#include "library/card_device_name.h"

#include <cstdint>
#include <vector>

#include "files/folder_walk.h"
#include "files/package_text.h"
#include "library/program_folder.h"
#include "library/protocol_ini.h"
#include "text/cp936_path.h"
#include "text/file_text.h"
#include "text/ini_lines.h"
#include "text/text_lines.h"
#include "text/white_space.h"

namespace {

void Note(const std::string& why, CardDeviceName* device) {
  device->why += (device->why.empty() ? "" : "；") + why;
}

// The lines of a package's INI or INF file as the client reads them; false,
// with the reason noted, when there is no such file or it is not read.
bool ReadPackageIni(const std::string& path, std::vector<text::IniLine>* lines, CardDeviceName* device) {
  std::string bytes;
  std::uint64_t size = 0;
  switch (ReadPackageText(path, &bytes, &size)) {
    case PackageTextRead::kMissing:
      return false;
    case PackageTextRead::kTooLarge:
      Note(path + "有" + std::to_string(size) + "字节，大于1 MB，不会是驱动程序包中的INI或INF文件，没有读取", device);
      device->unread = true;
      return false;
    case PackageTextRead::kUnreadable:
      Note(path + "无法读取", device);
      device->unread = true;
      return false;
    case PackageTextRead::kRead:
      break;
  }
  *lines = text::ReadIniLines(text::TextBeforeEndMark(text::FileText(bytes)));
  return true;
}

std::string FromCardIni(const std::string& iniPath, const std::string& driverPath, CardDeviceName* device) {
  std::vector<text::IniLine> lines;
  if (!ReadPackageIni(iniPath, &lines, device)) return std::string();
  const std::vector<CardSection> cards = CardSections(lines);
  if (cards.empty()) {
    Note(iniPath + "中没有网卡的节（有DriverName=、没有BINDINGS=、不是Protocol Manager或协议的节）", device);
    return std::string();
  }
  // A card section whose name is left empty names nothing; a later
  // DriverName of the same section may.
  std::vector<std::string> names;
  for (const CardSection& card : cards) {
    for (const text::IniLine* line : card.driverNames) {
      const std::string name = text::ClientValue(line->value);
      if (name.empty()) continue;
      names.push_back(name);
      break;
    }
  }
  if (names.empty()) {
    Note(iniPath + "中网卡的节[" + cards.front().name + "]的DriverName=是空的", device);
    return std::string();
  }
  // A package listing a second instance of the card (E1000$, E10002$) also
  // lists the first under the driver's own name.
  const std::string usual = DeviceNameFromFileName(cp936::FileNameOf(driverPath));
  for (const std::string& name : names) {
    if (cp936::EqualIgnoringCase(name, usual)) return name;
  }
  return names.front();
}

// The parts of an INF value between commas, backslashes, slashes, '@',
// quotes and blanks, stepping over double-byte characters.
std::vector<std::string> ValueParts(const std::string& value) {
  std::vector<std::string> parts(1);
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (cp936::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < value.size()) {
      parts.back() += value.substr(i++, 2);
    } else if (c == ',' || c == '\\' || c == '/' || c == '@' || c == '"' || c == ' ' || c == '\t') {
      if (!parts.back().empty()) parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

const std::vector<const text::IniLine*> kNoLines;

// What one section of OEMSETUP.INF says, gathered in one pass over it.
struct OemSection {
  bool namesDriver = false;  // a value names the driver file
  std::string driverName;    // its first drivername= that can be a card's
};

std::string FromOemSetup(const std::string& infPath, const std::string& driverPath, CardDeviceName* device) {
  std::vector<text::IniLine> lines;
  if (!ReadPackageIni(infPath, &lines, device)) return std::string();
  const std::string driverFileName = cp936::FileNameOf(driverPath);
  const text::IniSections sections(lines);
  std::vector<OemSection> facts(sections.All().size());
  for (std::size_t i = 0; i < facts.size(); ++i) {
    for (const text::IniLine* line : sections.All()[i].keyLines) {
      for (const std::string& part : ValueParts(line->value)) {
        facts[i].namesDriver = facts[i].namesDriver || cp936::EqualIgnoringCase(part, driverFileName);
      }
      const std::string name = text::ClientValue(line->value);
      if (facts[i].driverName.empty() && line->HasKey("drivername") && !IsClientDevice(name)) {
        facts[i].driverName = name;
      }
    }
  }
  auto factsOf = [&](const std::string& name) -> const OemSection* {
    const text::IniSection* section = name.empty() ? nullptr : sections.Find(name);
    return section == nullptr ? nullptr : &facts[static_cast<std::size_t>(section - sections.All().data())];
  };
  const text::IniSection* netcard = sections.Find("netcard");
  bool entryFound = false;
  for (const text::IniLine* entry : netcard == nullptr ? kNoLines : netcard->keyLines) {
    // "desc",0,ndis,ethernet,real,<driver section>,<nif section>: the entry
    // names its sections among its values.
    const std::vector<std::string> parts = ValueParts(entry->key + "," + entry->value);
    bool namesDriver = false;
    for (const std::string& part : parts) {
      const OemSection* section = factsOf(part);
      namesDriver = namesDriver || (section != nullptr && section->namesDriver);
    }
    if (!namesDriver) continue;
    entryFound = true;
    for (const std::string& part : parts) {
      const OemSection* section = factsOf(part);
      if (section != nullptr && !section->driverName.empty()) return section->driverName;
    }
  }
  Note(infPath + (entryFound ? "中" + driverFileName + "的[netcard]项的节没有网卡的drivername="
                             : "的[netcard]中没有哪一项的节提到" + driverFileName),
       device);
  return std::string();
}

// The name as a message can show it: a control character or a byte that is
// no whole character as "<0D>", so that nothing of it is lost or garbles
// the text after it.
std::string Shown(const std::string& name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string shown;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(name[i]);
    if (cp936::IsLeadByte(byte) && i + 1 < name.size() && cp936::IsTrailByte(static_cast<unsigned char>(name[i + 1]))) {
      shown += name.substr(i++, 2);
    } else if (byte < 0x20 || byte >= 0x7F) {
      shown += std::string("<") + kHex[byte >> 4] + kHex[byte & 0xF] + ">";
    } else {
      shown += name[i];
    }
  }
  return shown;
}

bool IsAsciiLetterOrDigit(unsigned char byte) {
  return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

// What keeps `name` from being a DOS device name, in a few words; "" when
// nothing does. DOS finds a device by the 8 bytes of its header's name
// field, and a name in PROTOCOL.INI must be one a DOS file name could be.
std::string NameFault(const std::string& name) {
  static constexpr std::string_view kMarks = "$&#@!%()-_{}~^";
  bool onlyDollars = true;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(name[i]);
    if (cp936::IsLeadByte(byte)) {
      if (i + 1 == name.size()) return "以半个汉字结尾";
      if (!cp936::IsTrailByte(static_cast<unsigned char>(name[i + 1]))) return "有不完整的汉字";
      ++i;
    } else if (byte < 0x20 || byte == 0x7F) {
      return "有控制字符";
    } else if (byte == ' ') {
      return "有空格";
    } else if (byte == '"' || byte == '\'' || byte == '`') {
      return "有引号";
    } else if (!IsAsciiLetterOrDigit(byte) && kMarks.find(static_cast<char>(byte)) == std::string_view::npos) {
      return byte < 0x80 ? "有“" + std::string(1, static_cast<char>(byte)) + "”" : "有DOS文件名不能有的字符";
    }
    onlyDollars = onlyDollars && byte == '$';
  }
  if (name.size() > 8) return "超过8个字符";
  if (onlyDollars) return "只有“$”";
  return std::string();
}

}  // namespace

std::string DeviceNameFromFileName(const std::string& driverFileName) {
  const std::string fileName = text::Trim(driverFileName);
  const std::size_t dot = cp936::FindLast(fileName, '.');
  return dot == cp936::npos ? std::string() : text::Trim(fileName.substr(0, dot)) + "$";
}

CardDeviceName DeviceNameOfCard(const std::string& driverPath) {
  CardDeviceName device;
  const std::string cardIni = CardIniOf(driverPath);
  std::string name = FromCardIni(cardIni, driverPath, &device);
  if (!name.empty()) return {name, cardIni, std::string(), false};
  const std::string oemSetup = FileNamedIn(cp936::FolderWithBackslashOf(driverPath), "OEMSETUP.INF");
  if (!oemSetup.empty()) {
    name = FromOemSetup(oemSetup, driverPath, &device);
    if (!name.empty()) return {name, oemSetup, std::string(), false};
  }
  device.name = DeviceNameFromFileName(cp936::FileNameOf(driverPath));
  return device;
}

std::string CheckDeviceName(const CardDeviceName& device, const std::string& driverPath, std::string* reason) {
  std::string unused;
  if (reason == nullptr) reason = &unused;
  const std::string iniPath = CardIniOf(driverPath);
  if (device.source.empty() && device.unread) {
    *reason = "设备名无法确定：" + device.why;
    return "网卡驱动程序" + driverPath + "的设备名无法确定：" + device.why +
           "。由驱动程序的文件名猜出的设备名可能不对，Protocol Manager就会找不到网卡驱动程序。请换上驱动程序包中原来的"
           "文件；或查明驱动程序实际使用的设备名（见驱动程序的说明），把" +
           iniPath + "换成只写着网卡的节和其中“DriverName=设备名”的小文件，再创建启动盘。";
  }
  const std::string fault = device.name.empty() ? std::string() : NameFault(device.name);
  if (fault.empty()) return std::string();
  const std::string from = !device.source.empty() ? "取自" + device.source
                           : device.why.empty()   ? "由驱动程序的文件名加“$”得出"
                                                  : "由驱动程序的文件名加“$”得出，因为" + device.why;
  *reason = "设备名“" + Shown(device.name) + "”不是DOS能用的设备名（" + fault + "）";
  return "网卡驱动程序" + driverPath + "的设备名“" + Shown(device.name) + "”（" + from +
         "）不是DOS能用的设备名：" + fault +
         "。设备名最多8个字符（含$，一个汉字算2个），只能有字母、数字、汉字和$ & # @ ! % ( ) - _ { } ~ ^，"
         "不能有空格、引号、控制字符或; = , [ ] * ? / \\ | < > + : .。启动盘中的PROTOCOL.INI用这个名字，"
         "Protocol Manager就找不到网卡驱动程序。请查明驱动程序实际使用的设备名（见驱动程序的说明或它的OEMSETUP.INF），在" +
         iniPath + "中网卡的节里写上“DriverName=设备名”，再创建启动盘。";
}
