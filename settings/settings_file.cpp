#include "settings/settings_file.h"

#include <optional>
#include <vector>

#include "files/package_text.h"
#include "files/replacing_file.h"
#include "port/file_system.h"
#include "text/file_text.h"
#include "text/ini_edit.h"
#include "text/ini_lines.h"
#include "text/path_form.h"
#include "text/text_lines.h"

namespace {

constexpr char kFileName[] = "Tovrell.ini";
constexpr char kSection[] = "Network";
// Notepad can save one; what follows it is read and edited as the file.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Each key of [Network] and the setting it holds, in the order keys are
// added to the section: a text or a flag.
struct SettingsKey {
  const char* name;
  std::string NetworkSettings::*text;
  std::optional<bool> NetworkSettings::*flag;
};
const SettingsKey kKeys[] = {
    {"ComputerName", &NetworkSettings::computerName, nullptr},
    {"UniqueName", nullptr, &NetworkSettings::uniqueName},
    {"UserName", &NetworkSettings::userName, nullptr},
    {"Workgroup", &NetworkSettings::workgroup, nullptr},
    {"LogonDomain", &NetworkSettings::logonDomain, nullptr},
    {"DHCP", nullptr, &NetworkSettings::dhcp},
    {"IPAddress", &NetworkSettings::ipAddress, nullptr},
    {"SubnetMask", &NetworkSettings::subnetMask, nullptr},
    {"Gateway", &NetworkSettings::gateway, nullptr},
};

std::size_t ByteOrderMarkLength(std::string_view bytes) {
  return bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark ? kUtf8ByteOrderMark.size() : 0;
}

// A profile string as Windows gives it: one pair of quotes around it removed.
std::string Unquoted(const std::string& value) {
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  return quoted ? value.substr(1, value.size() - 2) : value;
}

std::optional<bool> FlagOf(const std::string& value) {
  if (value == "1") return true;
  if (value == "0") return false;
  return std::nullopt;
}

std::string FlagText(const std::optional<bool>& flag) {
  if (!flag.has_value()) return std::string();
  return *flag ? "1" : "0";
}

// UTF-16 text holds NUL bytes; an INI file in code page 936 never does.
bool IsUtf16(std::string_view bytes) { return bytes.find('\0') != std::string_view::npos; }

}  // namespace

std::string SettingsFileOf(const std::string& programFolder) { return pathform::JoinPath(programFolder, kFileName); }

NetworkSettings NetworkSettingsFromIni(std::string_view bytes, std::string* oddValue) {
  NetworkSettings settings;
  const std::vector<text::IniLine> lines =
      text::ReadIniLines(text::TextBeforeEndMark(bytes.substr(ByteOrderMarkLength(bytes))));
  const text::IniSections sections(lines);
  const text::IniSection* section = sections.Find(kSection);
  if (section == nullptr) return settings;
  for (const SettingsKey& key : kKeys) {
    for (const text::IniLine* line : section->keyLines) {
      if (!line->HasKey(key.name)) continue;
      const std::string value = Unquoted(line->value);
      if (key.text != nullptr) settings.*key.text = value;
      if (key.flag != nullptr) settings.*key.flag = FlagOf(value);
      if (key.flag != nullptr && !value.empty() && !FlagOf(value).has_value() && oddValue != nullptr &&
          oddValue->empty()) {
        *oddValue = std::string("设置文件Tovrell.ini中") + key.name + "=" + value + "不对：只能是1或0（或空着）！";
      }
      break;
    }
  }
  return settings;
}

std::string IniWithNetworkSettings(std::string bytes, const NetworkSettings& settings) {
  const std::size_t mark = ByteOrderMarkLength(bytes);
  std::string edited = bytes.substr(mark);
  for (const SettingsKey& key : kKeys) {
    text::SetIniValue(&edited, kSection, key.name,
                      key.text != nullptr ? settings.*key.text : FlagText(settings.*key.flag));
  }
  return bytes.substr(0, mark) + edited;
}

std::string ReadSettingsFile(const std::string& path, NetworkSettings* settings, std::string* oddValue) {
  *settings = NetworkSettings();
  if (port::GetAttributes(path) == port::kInvalidAttributes) return std::string();
  std::string bytes;
  switch (ReadPackageText(path, &bytes)) {
    case PackageTextRead::kRead:
      break;
    case PackageTextRead::kTooLarge:
      return "设置文件" + path + "太大，不是本程序的设置文件！";
    case PackageTextRead::kMissing:
    case PackageTextRead::kUnreadable:
      return "无法读取设置文件" + path + "：" + port::LastErrorText();
  }
  // Notepad's "Unicode" (UTF-16) is read as the text it holds.
  *settings = NetworkSettingsFromIni(IsUtf16(bytes) ? text::FileText(bytes) : bytes, oddValue);
  return std::string();
}

std::string SaveSettingsFile(const std::string& path, const NetworkSettings& settings) {
  std::string bytes = std::string("[") + kSection + "]\r\n";
  if (port::GetAttributes(path) != port::kInvalidAttributes && !port::ReadFile(path, &bytes)) {
    return "无法读取设置文件" + path + "（" + port::LastErrorText() + "），网络设置没有保存！";
  }
  // Lines in code page 936 among UTF-16 ones would spoil the file.
  if (IsUtf16(bytes)) {
    return "设置文件" + path + "是Unicode（UTF-16）文件，本程序只改写ANSI（代码页936）的设置文件。"
           "请用记事本把它另存为ANSI编码，网络设置没有保存！";
  }
  ReplacingFile file(path);
  if (!file.Write(IniWithNetworkSettings(bytes, settings)) || !file.Replace()) {
    return "无法保存网络设置到" + path + "：" + port::LastErrorText();
  }
  return std::string();
}
