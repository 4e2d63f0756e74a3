#include "library/card_device_name.h"

#include <vector>

#include "files/folder_walk.h"
#include "library/program_folder.h"
#include "library/protocol_ini.h"
#include "port/file_system.h"
#include "text/cp936_path.h"
#include "text/ini_lines.h"
#include "text/text_lines.h"
#include "text/white_space.h"

namespace {

// A value as written, or what stands between its double quotes.
std::string Unquoted(const std::string& value) {
  return value.size() >= 2 && value.front() == '"' && value.back() == '"' ? value.substr(1, value.size() - 2) : value;
}

// The lines of a small text file as DOS reads it; false when it cannot be read.
bool ReadIni(const std::string& path, std::vector<text::IniLine>* lines) {
  std::string bytes;
  if (!port::ReadFile(path, &bytes)) return false;
  *lines = text::ReadIniLines(text::TextBeforeEndMark(bytes));
  return true;
}

std::string FromCardIni(const std::string& iniPath, const std::string& driverPath) {
  std::vector<text::IniLine> lines;
  if (!ReadIni(iniPath, &lines)) return std::string();
  // A card section whose name is left empty names nothing.
  std::vector<std::string> names;
  for (const text::IniLine* card : CardDriverNameLines(lines)) {
    if (!Unquoted(card->value).empty()) names.push_back(Unquoted(card->value));
  }
  if (names.empty()) return std::string();
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

bool SectionNamesDriver(const std::vector<text::IniLine>& lines, const std::string& section,
                        const std::string& driverFileName) {
  for (const text::IniLine& line : lines) {
    if (!cp936::EqualIgnoringCase(line.section, section) || line.key.empty() || line.isComment) continue;
    for (const std::string& part : ValueParts(line.value)) {
      if (cp936::EqualIgnoringCase(part, driverFileName)) return true;
    }
  }
  return false;
}

std::string FromOemSetup(const std::string& infPath, const std::string& driverPath) {
  std::vector<text::IniLine> lines;
  if (!ReadIni(infPath, &lines)) return std::string();
  const std::string driverFileName = cp936::FileNameOf(driverPath);
  for (const text::IniLine& entry : lines) {
    if (entry.key.empty() || entry.isComment || !cp936::EqualIgnoringCase(entry.section, "netcard")) continue;
    // "desc",0,ndis,ethernet,real,<driver section>,<nif section>: the entry
    // names its sections among its values.
    const std::vector<std::string> parts = ValueParts(entry.key + "," + entry.value);
    bool namesDriver = false;
    for (const std::string& part : parts) namesDriver = namesDriver || SectionNamesDriver(lines, part, driverFileName);
    if (!namesDriver) continue;
    for (const std::string& part : parts) {
      std::string name;
      if (text::FindIniValue(lines, part, "drivername", &name) && !Unquoted(name).empty()) return Unquoted(name);
    }
  }
  return std::string();
}

}  // namespace

std::string DeviceNameFromFileName(const std::string& driverFileName) {
  const std::string fileName = text::Trim(driverFileName);
  const std::size_t dot = cp936::FindLast(fileName, '.');
  return dot == cp936::npos ? std::string() : text::Trim(fileName.substr(0, dot)) + "$";
}

CardDeviceName DeviceNameOfCard(const std::string& driverPath) {
  const std::string cardIni = CardIniOf(driverPath);
  std::string name = FromCardIni(cardIni, driverPath);
  if (!name.empty()) return {name, cardIni};
  const std::string oemSetup = FileNamedIn(cp936::FolderWithBackslashOf(driverPath), "OEMSETUP.INF");
  if (!oemSetup.empty()) {
    name = FromOemSetup(oemSetup, driverPath);
    if (!name.empty()) return {name, oemSetup};
  }
  return {DeviceNameFromFileName(cp936::FileNameOf(driverPath)), std::string()};
}

std::string CheckDeviceName(const CardDeviceName& device, const std::string& driverPath) {
  const std::string& name = device.name;
  if (name.empty() || (name.size() <= 8 && name.find_first_of(" \t") == std::string::npos)) {
    return std::string();
  }
  const std::string from =
      device.source.empty() ? "由驱动程序的文件名加“$”得出" : "取自" + device.source;
  return "网卡驱动程序" + driverPath + "的设备名“" + name + "”（" + from +
         "）不是DOS能用的设备名：设备名最多8个字符（含$），不能有空格。启动盘中的PROTOCOL.INI用这个名字，"
         "Protocol Manager就找不到网卡驱动程序。请查明驱动程序实际使用的设备名（见驱动程序的说明或它的"
         "OEMSETUP.INF），在" +
         CardIniOf(driverPath) + "中网卡的节里写上“DriverName=设备名”，再创建启动盘。";
}
