#include "bootdisk/identity_config.h"

#include <gtest/gtest.h>

#include <string>

namespace {

NetworkSettings Names(const char* computer, const char* user, const char* workgroup, const char* domain) {
  NetworkSettings s;
  s.computerName = computer;
  s.userName = user;
  s.workgroup = workgroup;
  s.logonDomain = domain;
  return s;
}

NetworkSettings Address(std::optional<bool> dhcp, const char* ip = "", const char* mask = "", const char* gw = "") {
  NetworkSettings s;
  s.dhcp = dhcp;
  s.ipAddress = ip;
  s.subnetMask = mask;
  s.gateway = gw;
  return s;
}

TEST(IdentityConfig, EachKeyIsRewrittenInPlaceOrAddedWhereItsSectionEnds) {
  constexpr BootConfigFile kSys = BootConfigFile::kSystemIni;
  constexpr BootConfigFile kProt = BootConfigFile::kProtocolIni;
  const NetworkSettings lab = Names("LAB01", "", "", "");
  const NetworkSettings fixed = Address(false, "192.168.1.20", "255.255.255.0", "192.168.1.1");
  const std::string tcpIp = "[TCPIP]\r\nDriverName=TCPIP$\r\nIPAddress0=0 0 0 0\r\nDisableDHCP=1\r\n";
  const struct Case {
    BootConfigFile file;
    NetworkSettings settings;
    std::string before;
    std::string after;  // "" when refused
  } cases[] = {
      {kSys, lab, "[network]\r\ncomputername=OLD\r\nlanroot=A:\\NET\r\n",
       "[network]\r\ncomputername=LAB01\r\nlanroot=A:\\NET\r\n"},
      {kSys, lab, "[Network]\r\n  ComputerName =\tOLD ; old\r\n", "[Network]\r\ncomputername=LAB01\r\n"},
      // A comment is no key, nor a key of another section.
      {kSys, lab, "[other]\r\ncomputername=X\r\n[network]\r\n;computername=OLD\r\n",
       "[other]\r\ncomputername=X\r\n[network]\r\n;computername=OLD\r\ncomputername=LAB01\r\n"},
      {kSys, Names("", "", "LAB", ""), "[network]\r\n; \xCD\xF8\xC2\xE7\r\nfilesharing=no\r\n\r\n[network drivers]\r\n",
       "[network]\r\n; \xCD\xF8\xC2\xE7\r\nfilesharing=no\r\nworkgroup=LAB\r\n\r\n[network drivers]\r\n"},
      {kSys, Names("", "ADMIN", "", ""), "[network drivers]\r\nnetcard=X.DOS",
       "[network drivers]\r\nnetcard=X.DOS\r\n[network]\r\nusername=ADMIN\r\n"},
      {kSys, Names("LAB01", "ADMIN", "LAB", "CORP"), "[network]\nusername=OLD",
       "[network]\nusername=ADMIN\ncomputername=LAB01\nworkgroup=LAB\nlogondomain=CORP"},
      {kSys, lab, "[network drivers]\nnetcard=X.DOS\n\x1A[network]\ncomputername=OLD\n",
       "[network drivers]\nnetcard=X.DOS\n[network]\ncomputername=LAB01\n\x1A[network]\ncomputername=OLD\n"},
      {kSys, fixed, "[network]\r\ncomputername=A\r\n", "[network]\r\ncomputername=A\r\n"},
      {kSys, Names("LAB 01", "", "", ""), "[network]\r\n", ""},
      {kProt, fixed,
       "[NIC]\r\nDriverName=E100B$\r\n[MSTCP]\r\ndrivername = \"tcpip$\"\r\nipaddress0 = 0 0 0 0\r\n"
       "DisableDHCP=0\r\n\r\n[PROTMAN]\r\n",
       "[NIC]\r\nDriverName=E100B$\r\n[MSTCP]\r\ndrivername = \"tcpip$\"\r\nIPAddress0=192 168 1 20\r\n"
       "DisableDHCP=1\r\nSubNetMask0=255 255 255 0\r\nDefaultGateway0=192 168 1 1\r\n\r\n[PROTMAN]\r\n"},
      {kProt, Address(false, "010.0.0.005", "255.0.0.0"),
       "[TCPIP]\nDriverName=\nDriverName=TCPIP$\nDefaultGateway0=1\n\x1A",
       "[TCPIP]\nDriverName=\nDriverName=TCPIP$\nDefaultGateway0=1\nIPAddress0=10 0 0 5\nSubNetMask0=255 0 0 0\n"
       "DisableDHCP=1\n\x1A"},
      {kProt, Address(true, "1.2.3"), tcpIp, "[TCPIP]\r\nDriverName=TCPIP$\r\nIPAddress0=0 0 0 0\r\nDisableDHCP=0\r\n"},
      {kProt, Address(std::nullopt, "10.0.0.5", "255.0.0.0"), tcpIp, tcpIp},
      {kProt, Address(true), "[NIC]\r\nDriverName=TCPIPX$\r\n", "[NIC]\r\nDriverName=TCPIPX$\r\n"},
      {kProt, Names("LAB01", "A", "B", "C"), tcpIp, tcpIp},
      {kProt, fixed, "[NIC]\r\nDriverName=E100B$\r\n[TCPIP]\r\n;DriverName=TCPIP$\r\n", ""},
      {kProt, fixed, "[NIC]\r\nDriverName=E100B$\r\n\x1A[TCPIP]\r\nDriverName=TCPIP$\r\n", ""},
  };
  for (const Case& c : cases) {
    std::string bytes = c.before;
    const std::string problem = ApplyIdentity(c.file, c.settings, &bytes);
    EXPECT_EQ(problem, IdentityConfigProblem(c.file, c.settings, c.before));
    EXPECT_EQ(problem.empty(), !c.after.empty()) << c.before;
    EXPECT_EQ(bytes, c.after.empty() ? c.before : c.after);
  }
}

}  // namespace
