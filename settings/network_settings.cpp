#include "settings/network_settings.h"

#include <cstdint>
#include <string_view>

#include "settings/ipv4_address.h"
#include "text/cp936_path.h"

namespace {

// NetBIOS names are 15 characters; the DOS client's setup allows these.
constexpr std::size_t kLongestName = 15;
// A name of its own for each PC is the computer name and "-XXXXXX".
constexpr std::size_t kLongestSharedPart = 8;
constexpr std::string_view kNamePunctuation = "!@#$%^&()-_'{}.~";
constexpr char kNameCharacters[] = "字母、数字和下列符号：! @ # $ % ^ & ( ) - _ ' { } . ~";

bool IsNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         kNamePunctuation.find(c) != std::string_view::npos;
}

// The character at `at` as the message shows it.
std::string ShownCharacter(std::string_view name, std::size_t at) {
  const unsigned char c = static_cast<unsigned char>(name[at]);
  if (c == ' ' || c == '\t') return "空格";
  if (c < 0x20 || c == 0x7F) return "控制字符";
  if (cp936::IsLeadByte(c) && at + 1 < name.size()) return "“" + std::string(name.substr(at, 2)) + "”";
  return "“" + std::string(1, static_cast<char>(c)) + "”";
}

std::string NameProblem(const char* label, std::string_view name, std::size_t longest) {
  for (std::size_t at = 0; at < name.size(); ++at) {
    if (!IsNameCharacter(name[at])) {
      return std::string(label) + "中不能有" + ShownCharacter(name, at) + "！只能用" + kNameCharacters;
    }
  }
  if (name.size() > longest) return std::string(label) + "最多" + std::to_string(longest) + "个字符！";
  bool letterOrDigit = name.empty();
  for (char c : name) letterOrDigit = letterOrDigit || kNamePunctuation.find(c) == std::string_view::npos;
  if (!letterOrDigit) return std::string(label) + "中至少要有一个字母或数字！";
  return std::string();
}

std::string AddressForm(const char* label, const std::string& typed, const char* example) {
  return std::string(label) + "“" + typed + "”不对：应是用“.”分开的四个0到255的数，如" + example + "！";
}

// A mask of ones from the top, then zeros; 0.0.0.0 has no subnet.
bool IsContiguousMask(std::uint32_t mask) {
  const std::uint32_t hosts = ~mask;
  return mask != 0 && (hosts & (hosts + 1)) == 0;
}

SettingsProblem AddressProblem(const NetworkSettings& settings) {
  using F = SettingsField;
  if (settings.ipAddress.empty()) return {F::kIpAddress, "使用固定的IP地址时必须填写IP地址！"};
  std::uint32_t address = 0, mask = 0, gateway = 0;
  if (!ParseIpv4(settings.ipAddress, &address)) {
    return {F::kIpAddress, AddressForm("IP地址", settings.ipAddress, "192.168.1.20")};
  }
  if (settings.subnetMask.empty()) return {F::kSubnetMask, "使用固定的IP地址时必须填写子网掩码！"};
  if (!ParseIpv4(settings.subnetMask, &mask)) {
    return {F::kSubnetMask, AddressForm("子网掩码", settings.subnetMask, "255.255.255.0")};
  }
  if (!IsContiguousMask(mask)) {
    return {F::kSubnetMask, "子网掩码“" + settings.subnetMask +
                                "”不对：写成二进制应是前面连续的1、后面连续的0（如255.255.255.0），也不能是0.0.0.0！"};
  }
  // A PC's own address: not 0.x.x.x, loopback (127.x.x.x), nor multicast
  // or reserved (224.0.0.0 and above).
  const std::uint32_t first = address >> 24;
  if (first == 0 || first == 127 || first >= 224) {
    return {F::kIpAddress, "IP地址" + settings.ipAddress + "不是能给电脑使用的地址（0.x.x.x、127.x.x.x和224.0.0.0以上的地址都不行）！"};
  }
  const std::uint32_t network = address & mask;
  const std::uint32_t broadcast = network | ~mask;
  const std::string subnet = Ipv4Text(network, '.') + "/" + Ipv4Text(mask, '.');
  if (address == network || address == broadcast) {
    return {F::kIpAddress, "IP地址" + settings.ipAddress + "是子网" + subnet + "的" +
                               (address == network ? "网络地址" : "广播地址") + "，不能给电脑使用！"};
  }
  if (settings.gateway.empty()) return {};
  if (!ParseIpv4(settings.gateway, &gateway)) {
    return {F::kGateway, AddressForm("默认网关", settings.gateway, "192.168.1.1")};
  }
  if ((gateway & mask) != network) {
    return {F::kGateway, "默认网关" + settings.gateway + "不在IP地址" + settings.ipAddress + "的子网" + subnet + "中！"};
  }
  if (gateway == network || gateway == broadcast) {
    return {F::kGateway, "默认网关" + settings.gateway + "是子网" + subnet + "的" +
                             (gateway == network ? "网络地址" : "广播地址") + "，不能是网关！"};
  }
  return {};
}

}  // namespace

bool GivesEachPcItsOwnName(const NetworkSettings& settings, bool manyPcsBoot) {
  return settings.uniqueName.value_or(manyPcsBoot);
}

SettingsProblem CheckNetworkSettings(const NetworkSettings& settings, bool manyPcsBoot) {
  using F = SettingsField;
  const bool ownNames = GivesEachPcItsOwnName(settings, manyPcsBoot);
  std::string why = NameProblem("计算机名", settings.computerName, kLongestName);
  if (why.empty() && ownNames && settings.computerName.size() > kLongestSharedPart) {
    why = "每台电脑使用不同的计算机名时，计算机名最多" + std::to_string(kLongestSharedPart) +
          "个字符（每台电脑还要在后面加上自己的“-XXXXXX”）！";
  }
  if (!why.empty()) return {F::kComputerName, why};
  const struct {
    F field;
    const char* label;
    const std::string& name;
  } names[] = {{F::kUserName, "用户名", settings.userName},
               {F::kWorkgroup, "工作组", settings.workgroup},
               {F::kLogonDomain, "登录域", settings.logonDomain}};
  for (const auto& name : names) {
    why = NameProblem(name.label, name.name, kLongestName);
    if (!why.empty()) return {name.field, why};
  }
  if (settings.dhcp.has_value() && !*settings.dhcp) return AddressProblem(settings);
  return {};
}
