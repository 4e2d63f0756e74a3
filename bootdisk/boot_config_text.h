// The two line rewrites that set up a NET folder's configuration for one
// network card, on the files' bytes: SYSTEM.INI names the driver file,
// PROTOCOL.INI the driver's device. Both the folder builds and the boot
// image build use them, so that their files come out byte for byte alike.
#pragma once

#include <string>

#include "settings/network_settings.h"

enum class BootConfigFile { kSystemIni, kProtocolIni };

// The card a medium is set up for, as the two files name it, and the
// client's identity they give.
struct MediaCard {
  std::string driverFileName;  // netcard=
  std::string deviceName;      // DriverName= (DeviceNameOfCard); "" when there is none
  NetworkSettings identity{};  // ApplyIdentity; unset: the template's
};

enum class BootConfigRewrite {
  kRewritten,     // the key's line was replaced
  kNoKey,         // no line the client reads holds the key: bytes unchanged
  kNoDeviceName,  // PROTOCOL.INI has the card's line but there is no device
                  // name to write; bytes unchanged
};

// The file's name in the NET folder: "SYSTEM.INI" or "PROTOCOL.INI".
const char* BootConfigFileName(BootConfigFile file);
// The key the file gets for the card: "netcard" or "DriverName".
const char* BootConfigKey(BootConfigFile file);

// Rewrites `*bytes`, the content of `file`, for `card`, replacing the whole
// line the DOS network client reads:
// - SYSTEM.INI: the first line containing "netcard=" as spelled, when it is
//   a netcard line (not a comment, its key netcard); else the first netcard
//   line in any letter case, blanks and tabs allowed before the key and
//   around "="; it becomes "netcard=<driver file name, white space trimmed>";
// - PROTOCOL.INI: the DriverName line of the card's section, the section
//   the protocols bind to (BoundCardDriverNameLine): the first line
//   containing "DriverName=" as spelled where it is that line, else that
//   section's first DriverName line in any letter case; it becomes
//   "DriverName=<device name>".
// Lines after a Ctrl-Z, which DOS never reads, are never taken. Keys as
// spelled are matched on character boundaries (a code page 936 trail byte
// never starts one). Every other byte, the line's own line break
// included, is kept. Then the card's identity is written (ApplyIdentity;
// the builds check beforehand that the template takes it). Touches nothing
// but `*bytes`.
BootConfigRewrite RewriteBootConfigText(BootConfigFile file, const MediaCard& card, std::string* bytes);

// "" when `bytes`, a template's `file`, holds the line the client reads for
// the card; otherwise what is wrong with it, as the rest of a sentence whose
// subject is the file ("没有netcard=行……"): a template without that line
// would give a medium that loads the template's old driver.
std::string TemplateConfigProblem(BootConfigFile file, const std::string& bytes);
