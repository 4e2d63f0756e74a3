// Tovrell.ini: the program's own settings, kept beside the program so that
// they travel with a program folder on a stick. A Windows INI file in code
// page 936 that people may also write by hand:
//
//   [Network]
//   ComputerName=LAB
//   UniqueName=1
//   UserName=
//   Workgroup=WORKGROUP
//   LogonDomain=
//   DHCP=0
//   IPAddress=192.168.1.20
//   SubnetMask=255.255.255.0
//   Gateway=192.168.1.1
//
// Section and keys in any letter case, blanks around "=", comments (";"
// lines, and after a value following a blank), CR LF or LF line breaks, a
// UTF-8 byte order mark; other sections and keys are the user's and are
// kept. UniqueName and DHCP are 1 or 0; an empty or missing key is unset.
#pragma once

#include <string>
#include <string_view>

#include "settings/network_settings.h"

// "<program folder>\Tovrell.ini".
std::string SettingsFileOf(const std::string& programFolder);

// The [Network] settings a file's bytes hold: for each key its first line
// in the section, the value with the quotes around it removed, as Windows
// reads profile strings; text after a Ctrl-Z is not read. A flag other than
// 1 or 0 is unset, and named in `*oddValue` (when given and still empty):
// a build refuses it as the dialog would. Values are taken as written,
// unchecked.
NetworkSettings NetworkSettingsFromIni(std::string_view bytes, std::string* oddValue = nullptr);

// `bytes` with every [Network] key set to `settings` (text::SetIniValue:
// each key's line rewritten where it stands, missing keys added at the end
// of the section, a missing section at the end of the file); an empty text
// or unset flag is written as an empty value. Every other byte is kept.
std::string IniWithNetworkSettings(std::string bytes, const NetworkSettings& settings);

// Reads the file's settings (a UTF-16 file as the text it holds). No file
// gives unset settings. Returns "" or, when the file is there but cannot be
// read or is over 1 MB, a message naming it (`*settings` then unset); a
// flag other than 1 or 0 is named in `*oddValue` (NetworkSettingsFromIni).
std::string ReadSettingsFile(const std::string& path, NetworkSettings* settings, std::string* oddValue = nullptr);

// Writes `settings` into the file (IniWithNetworkSettings on its bytes; a
// new file gets CR LF line breaks), whole beside it and then in its place
// in one step (ReplacingFile): the file is never half written, and keeps
// its old content when anything fails. A UTF-16 file is not written into.
// Returns "" or a message naming the file and why it could not be saved.
std::string SaveSettingsFile(const std::string& path, const NetworkSettings& settings);
