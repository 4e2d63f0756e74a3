#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "port/file_system.h"
#include "support/temp_folder.h"
#include "support/utf16_text.h"

namespace {

std::string Flag(const std::optional<bool>& flag) { return flag.has_value() ? (*flag ? "1" : "0") : "-"; }

// Every field, for comparing two settings whole.
std::vector<std::string> Fields(const NetworkSettings& s) {
  return {s.computerName, Flag(s.uniqueName), s.userName,   s.workgroup, s.logonDomain,
          Flag(s.dhcp),   s.ipAddress,        s.subnetMask, s.gateway};
}

NetworkSettings Lab() {
  NetworkSettings s;
  s.computerName = "LAB01";
  s.uniqueName = true;
  s.workgroup = "WORKGROUP";
  s.dhcp = false;
  s.ipAddress = "192.168.1.20";
  return s;
}

const std::string kLab =
    "ComputerName=LAB01\r\nUniqueName=1\r\nUserName=\r\nWorkgroup=WORKGROUP\r\nLogonDomain=\r\nDHCP=0\r\n"
    "IPAddress=192.168.1.20\r\nSubnetMask=\r\nGateway=\r\n";

TEST(SettingsFile, HandWrittenFormsAreReadAsTheDialogsOwn) {
  const struct Case {
    std::string bytes;
    std::vector<std::string> fields;
  } cases[] = {
      {"[Network]\r\n" + kLab, Fields(Lab())},
      {"; lab\n[NETWORK]\n computername = LAB01 ; room 2\n;UserName=x\nuniquename=1\n\tWorkGroup\t=WORKGROUP\n"
       "dhcp = 0\nipaddress=192.168.1.20\n",
       Fields(Lab())},
      {"[Other]\r\nUserName=NO\r\n[network]\r\nUserName=\"A B\"\r\nUserName=2\r\n[Later]\r\nDHCP=1\r\n",
       {"", "-", "A B", "", "", "-", "", "", ""}},
      {"[Network]\nUniqueName=0\nDHCP=1\n", {"", "0", "", "", "", "1", "", "", ""}},
      {"[Network]\nUniqueName=yes\nDHCP=\n", Fields(NetworkSettings())},
      {"\xEF\xBB\xBF[Network]\r\nWorkgroup=LAB\r\n\x1AUserName=X\r\n", {"", "-", "", "LAB", "", "-", "", "", ""}},
      {"Workgroup=LAB\r\n[Networks]\r\nWorkgroup=LAB\r\n", Fields(NetworkSettings())},
  };
  for (const Case& c : cases) EXPECT_EQ(Fields(NetworkSettingsFromIni(c.bytes)), c.fields) << c.bytes;
}

TEST(SettingsFile, SavingRewritesOnlyTheNetworkKeys) {
  std::string lineFeeds = kLab;
  for (std::size_t at; (at = lineFeeds.find('\r')) != std::string::npos;) lineFeeds.erase(at, 1);
  const struct Case {
    std::string before;
    std::string after;
  } cases[] = {
      // Keys in place, missing ones at the end of the section, the rest kept.
      {"[Paths]\r\nComputerName=keep\r\n\r\n[network]\r\n; lab\r\n computername = OLD\r\nX=1\r\nDHCP=1\r\n\r\n[B]\r\n",
       "[Paths]\r\nComputerName=keep\r\n\r\n[network]\r\n; lab\r\nComputerName=LAB01\r\nX=1\r\nDHCP=0\r\n"
       "UniqueName=1\r\nUserName=\r\nWorkgroup=WORKGROUP\r\nLogonDomain=\r\nIPAddress=192.168.1.20\r\n"
       "SubnetMask=\r\nGateway=\r\n\r\n[B]\r\n"},
      {"[Paths]\nX=1", "[Paths]\nX=1\n[Network]\n" + lineFeeds},
      {"\xEF\xBB\xBF[Network]\r\n", "\xEF\xBB\xBF[Network]\r\n" + kLab},
  };
  for (const Case& c : cases) EXPECT_EQ(IniWithNetworkSettings(c.before, Lab()), c.after);
  NetworkSettings unset;
  unset.computerName = "PC";
  EXPECT_EQ(Fields(NetworkSettingsFromIni(IniWithNetworkSettings("[Network]\r\n" + kLab, unset))), Fields(unset));
}

TEST(SettingsFile, TheFileBesideTheProgram) {
  EXPECT_EQ(SettingsFileOf("C:\\Tools"), "C:\\Tools\\Tovrell.ini");
  EXPECT_EQ(SettingsFileOf("E:"), "E:\\Tovrell.ini");
  TempFolder temp;
  const std::string path = SettingsFileOf(temp.path());
  NetworkSettings read = Lab();
  EXPECT_EQ(ReadSettingsFile(path, &read), "");
  EXPECT_EQ(Fields(read), Fields(NetworkSettings()));  // no file: nothing set
  EXPECT_EQ(SaveSettingsFile(path, Lab()), "");
  EXPECT_EQ(ReadTestFile(path), "[Network]\r\n" + kLab);
  EXPECT_EQ(ReadSettingsFile(path, &read), "");
  EXPECT_EQ(Fields(read), Fields(Lab()));

  // A file that cannot be replaced keeps its content and is named.
  ASSERT_TRUE(port::SetAttributes(path, port::kAttrReadOnly));
  EXPECT_NE(SaveSettingsFile(path, NetworkSettings()).find(path), std::string::npos);
  EXPECT_EQ(ReadTestFile(path), "[Network]\r\n" + kLab);
  port::SetAttributes(path, port::kAttrNormal);
  EXPECT_EQ(ListTree(temp.path()), std::vector<std::string>{"Tovrell.ini"});
  MakeTestFolders(temp / "sub\\Tovrell.ini");
  EXPECT_NE(ReadSettingsFile(temp / "sub\\Tovrell.ini", &read), "");

  // Notepad's "Unicode": read as the text it holds, a flag neither 1 nor 0
  // named, and never written into.
  const std::string unicode = Utf16("[Network]\r\nComputerName=LAB01\r\nDHCP=yes\r\n");
  WriteTestFile(path, unicode);
  std::string odd;
  EXPECT_EQ(ReadSettingsFile(path, &read, &odd), "");
  EXPECT_EQ(read.computerName, "LAB01");
  EXPECT_NE(odd.find("DHCP=yes"), std::string::npos) << odd;
  EXPECT_NE(SaveSettingsFile(path, Lab()).find("UTF-16"), std::string::npos);
  EXPECT_EQ(ReadTestFile(path), unicode);
}

}  // namespace
