#include "bootdisk/identity_config.h"

#include <cstdint>
#include <vector>

#include "settings/ipv4_address.h"
#include "text/cp936_path.h"
#include "text/ini_edit.h"
#include "text/ini_lines.h"
#include "text/text_lines.h"

namespace {

constexpr char kTcpIpDevice[] = "TCPIP$";

bool UsesFixedAddress(const NetworkSettings& settings) { return settings.dhcp.has_value() && !*settings.dhcp; }

// The name of PROTOCOL.INI's TCP/IP section: the first section whose
// DriverName (its first one that is not empty, as a card's is read) is
// TCPIP$; "" when there is none.
std::string TcpIpSection(const std::string& bytes) {
  const std::vector<text::IniLine> lines = text::ReadIniLines(text::TextBeforeEndMark(bytes));
  const text::IniSections sections(lines);
  for (const text::IniSection& section : sections.All()) {
    for (const text::IniLine* line : section.keyLines) {
      if (!line->HasKey("DriverName") || text::ClientValue(line->value).empty()) continue;
      if (cp936::EqualIgnoringCase(text::ClientValue(line->value), kTcpIpDevice) && !section.name.empty()) {
        return section.name;
      }
      break;
    }
  }
  return std::string();
}

// An address as PROTOCOL.INI holds it: its numbers separated by blanks.
std::string ClientAddress(const std::string& typed) {
  std::uint32_t address = 0;
  ParseIpv4(typed, &address);
  return Ipv4Text(address, ' ');
}

void ApplyNames(const NetworkSettings& settings, std::string* bytes) {
  const struct {
    const char* key;
    const std::string& value;
  } names[] = {{"computername", settings.computerName},
               {"username", settings.userName},
               {"workgroup", settings.workgroup},
               {"logondomain", settings.logonDomain}};
  for (const auto& name : names) {
    if (!name.value.empty()) text::SetIniValue(bytes, "network", name.key, name.value);
  }
}

void ApplyAddress(const NetworkSettings& settings, std::string* bytes) {
  if (!settings.dhcp.has_value()) return;
  const std::string section = TcpIpSection(*bytes);
  if (section.empty()) return;
  if (UsesFixedAddress(settings)) {
    text::SetIniValue(bytes, section, "IPAddress0", ClientAddress(settings.ipAddress));
    text::SetIniValue(bytes, section, "SubNetMask0", ClientAddress(settings.subnetMask));
    if (!settings.gateway.empty()) {
      text::SetIniValue(bytes, section, "DefaultGateway0", ClientAddress(settings.gateway));
    }
  }
  text::SetIniValue(bytes, section, "DisableDHCP", UsesFixedAddress(settings) ? "1" : "0");
}

}  // namespace

std::string IdentityConfigProblem(BootConfigFile file, const NetworkSettings& settings, const std::string& bytes) {
  const SettingsProblem refused = CheckNetworkSettings(settings, false);
  if (refused.field != SettingsField::kNone) return "不能写入这样的网络设置：" + refused.message;
  if (file == BootConfigFile::kProtocolIni && UsesFixedAddress(settings) && TcpIpSection(bytes).empty()) {
    return "没有TCP/IP协议的节（DriverName=TCPIP$的节），无法写入固定的IP地址：请在模板中安装TCP/IP协议，"
           "或在网络设置中选择自动获取IP地址";
  }
  return std::string();
}

std::string ApplyIdentity(BootConfigFile file, const NetworkSettings& settings, std::string* bytes) {
  std::string problem = IdentityConfigProblem(file, settings, *bytes);
  if (!problem.empty()) return problem;
  if (file == BootConfigFile::kSystemIni) {
    ApplyNames(settings, bytes);
  } else {
    ApplyAddress(settings, bytes);
  }
  return std::string();
}
