#include "bootdisk/boot_config_text.h"

#include <string_view>
#include <vector>

#include "bootdisk/identity_config.h"
#include "library/protocol_ini.h"
#include "text/cp936_path.h"
#include "text/ini_lines.h"
#include "text/text_lines.h"
#include "text/white_space.h"

namespace {

// The first line whose text holds the key as spelled ("netcard=",
// "DriverName="), the line the file has always been recognised by.
const text::IniLine* FirstLineSpelling(std::string_view bytes, const std::vector<text::IniLine>& lines,
                                       std::string_view spelled) {
  for (const text::IniLine& line : lines) {
    if (cp936::Contains(bytes.substr(line.start, line.end - line.start), spelled)) return &line;
  }
  return nullptr;
}

// The line the client reads for the card.
const text::IniLine* CardLine(BootConfigFile file, std::string_view bytes, const std::vector<text::IniLine>& lines) {
  const std::string key = BootConfigKey(file);
  const text::IniLine* spelled = FirstLineSpelling(bytes, lines, key + "=");
  if (file == BootConfigFile::kSystemIni) {
    if (spelled != nullptr && spelled->HasKey(key)) return spelled;
    for (const text::IniLine& line : lines) {
      if (line.HasKey(key)) return &line;
    }
    return nullptr;
  }
  const text::IniLine* card = BoundCardDriverNameLine(lines);
  if (card == nullptr) return nullptr;
  if (spelled != nullptr && spelled->HasKey(key) && cp936::EqualIgnoringCase(spelled->section, card->section)) {
    return spelled;
  }
  return card;
}

// The lines the client reads: none after a Ctrl-Z, where DOS stops reading.
std::vector<text::IniLine> LinesRead(std::string_view bytes) {
  return text::ReadIniLines(text::TextBeforeEndMark(bytes));
}

}  // namespace

const char* BootConfigFileName(BootConfigFile file) {
  return file == BootConfigFile::kSystemIni ? "SYSTEM.INI" : "PROTOCOL.INI";
}

const char* BootConfigKey(BootConfigFile file) {
  return file == BootConfigFile::kSystemIni ? "netcard" : "DriverName";
}

BootConfigRewrite RewriteBootConfigText(BootConfigFile file, const MediaCard& card, std::string* bytes) {
  const std::vector<text::IniLine> lines = LinesRead(*bytes);
  const text::IniLine* line = CardLine(file, *bytes, lines);
  if (line == nullptr) return BootConfigRewrite::kNoKey;
  std::string newLine;
  if (file == BootConfigFile::kSystemIni) {
    newLine = "netcard=" + text::Trim(card.driverFileName);
  } else {
    if (card.deviceName.empty()) return BootConfigRewrite::kNoDeviceName;
    newLine = "DriverName=" + card.deviceName;
  }
  bytes->replace(line->start, line->end - line->start, newLine);
  ApplyIdentity(file, card.identity, bytes);
  return BootConfigRewrite::kRewritten;
}

std::string TemplateConfigProblem(BootConfigFile file, const std::string& bytes) {
  if (CardLine(file, bytes, LinesRead(bytes)) != nullptr) return std::string();
  return file == BootConfigFile::kSystemIni
             ? "没有netcard=行，创建的启动盘会加载模板原来的网卡驱动程序"
             : "没有网卡的节（有DriverName=行、不是Protocol Manager或协议的设备名、没有BINDINGS=的节）或其中没有"
               "DriverName=行，创建的启动盘会加载模板原来的网卡驱动程序";
}
