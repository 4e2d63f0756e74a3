#include "settings/network_settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

namespace {

using F = SettingsField;
using S = NetworkSettings;

TEST(NetworkSettingsCheck, EachRuleOnEachField) {
  const std::map<F, std::string> labels = {{F::kComputerName, "计算机名"}, {F::kUserName, "用户名"},
                                           {F::kWorkgroup, "工作组"},      {F::kLogonDomain, "登录域"},
                                           {F::kIpAddress, "IP地址"},      {F::kSubnetMask, "子网掩码"},
                                           {F::kGateway, "默认网关"}};
  const struct Case {
    std::function<void(S&)> change;  // of settings that are accepted
    bool manyPcsBoot;
    F refused;  // kNone: accepted
  } cases[] = {
      {[](S&) {}, false, F::kNone},
      {[](S& s) { s = S(); }, true, F::kNone},
      {[](S& s) { s.userName = "a!@#$%^&()-_'{}"; s.workgroup = "Z9.~"; }, false, F::kNone},
      {[](S& s) { s.computerName = "ABCDEFGHIJKLMNOP"; }, false, F::kComputerName},
      {[](S& s) { s.logonDomain = "ABCDEFGHIJKLMNOP"; }, false, F::kLogonDomain},
      {[](S& s) { s.computerName = "LAB 01"; }, false, F::kComputerName},
      {[](S& s) { s.userName = "admin,x"; }, false, F::kUserName},
      {[](S& s) { s.workgroup = "\xCD\xF8"; }, false, F::kWorkgroup},
      {[](S& s) { s.logonDomain = "CORP*"; }, false, F::kLogonDomain},
      // A name of its own for each PC: the computer name 8 at most.
      {[](S& s) { s.computerName = "ABCDEFGH"; s.uniqueName = true; }, false, F::kNone},
      {[](S& s) { s.computerName = "ABCDEFGHI"; s.uniqueName = true; }, false, F::kComputerName},
      {[](S& s) { s.computerName = "ABCDEFGHI"; }, true, F::kComputerName},
      {[](S& s) { s.computerName = "ABCDEFGHI"; s.uniqueName = false; }, true, F::kNone},
      {[](S& s) { s.computerName = "A B"; s.ipAddress = "x"; }, false, F::kComputerName},
      {[](S& s) { s.ipAddress = ""; }, false, F::kIpAddress},
      {[](S& s) { s.subnetMask = ""; }, false, F::kSubnetMask},
      {[](S& s) { s.gateway = ""; }, false, F::kNone},
      {[](S& s) { s.ipAddress = "192.168.001.020"; }, false, F::kNone},
      {[](S& s) { s.ipAddress = "192.168.1"; }, false, F::kIpAddress},
      {[](S& s) { s.ipAddress = "192.168.1.20.5"; }, false, F::kIpAddress},
      {[](S& s) { s.ipAddress = "192.168.1.256"; }, false, F::kIpAddress},
      {[](S& s) { s.ipAddress = "192.168..20"; }, false, F::kIpAddress},
      {[](S& s) { s.ipAddress = "192.168.1.0020"; }, false, F::kIpAddress},
      {[](S& s) { s.ipAddress = " 192.168.1.20"; }, false, F::kIpAddress},
      {[](S& s) { s.subnetMask = "255.255.255.0x"; }, false, F::kSubnetMask},
      {[](S& s) { s.gateway = "192.168.1.1/24"; }, false, F::kGateway},
      {[](S& s) { s.subnetMask = "255.0.255.0"; }, false, F::kSubnetMask},
      {[](S& s) { s.subnetMask = "0.0.0.0"; }, false, F::kSubnetMask},
      {[](S& s) { s.subnetMask = "255.128.0.0"; s.gateway = "192.200.0.1"; }, false, F::kNone},
      {[](S& s) { s.ipAddress = "192.168.1.0"; }, false, F::kIpAddress},
      {[](S& s) { s.ipAddress = "192.168.1.255"; }, false, F::kIpAddress},
      {[](S& s) { s.subnetMask = "255.255.255.252"; }, false, F::kIpAddress},  // .20 is a /30's network
      {[](S& s) { s.gateway = "192.168.2.1"; }, false, F::kGateway},
      {[](S& s) { s.ipAddress = "127.0.0.1"; s.gateway = ""; }, false, F::kIpAddress},  // no PC's own address
      {[](S& s) { s.ipAddress = "224.0.0.1"; s.gateway = ""; }, false, F::kIpAddress},
      {[](S& s) { s.computerName = "-."; }, false, F::kComputerName},  // no letter or digit
      {[](S& s) { s.computerName = "123"; }, false, F::kNone},
      {[](S& s) { s.gateway = "192.168.1.255"; }, false, F::kGateway},
      // Addresses no build writes are not looked at.
      {[](S& s) { s.dhcp = true; s.ipAddress = "x"; }, false, F::kNone},
      {[](S& s) { s.dhcp.reset(); s.subnetMask = "1"; }, false, F::kNone},
  };
  for (std::size_t row = 0; row < std::size(cases); ++row) {
    SCOPED_TRACE("row " + std::to_string(row));
    S settings;
    settings.computerName = "LAB01";
    settings.userName = "admin";
    settings.workgroup = "WORKGROUP";
    settings.logonDomain = "ABCDEFGHIJKLMNO";
    settings.dhcp = false;
    settings.ipAddress = "192.168.1.20";
    settings.subnetMask = "255.255.255.0";
    settings.gateway = "192.168.1.1";
    cases[row].change(settings);
    const SettingsProblem problem = CheckNetworkSettings(settings, cases[row].manyPcsBoot);
    EXPECT_EQ(problem.field, cases[row].refused) << problem.message;
    EXPECT_EQ(problem.message.empty(), cases[row].refused == F::kNone);
    if (cases[row].refused != F::kNone) {
      EXPECT_NE(problem.message.find(labels.at(cases[row].refused)), std::string::npos) << problem.message;
    }
  }
}

}  // namespace
