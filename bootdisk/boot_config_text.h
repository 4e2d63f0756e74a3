// The two line rewrites that set up a NET folder's configuration for one
// network card, on the files' bytes: SYSTEM.INI names the driver file,
// PROTOCOL.INI the driver's device. Both the folder builds and the boot
// image build use them, so that their files come out byte for byte alike.
#pragma once

#include <string>

enum class BootConfigFile { kSystemIni, kProtocolIni };

enum class BootConfigRewrite {
  kRewritten,     // the key's line was replaced
  kNoKey,         // no line holds the key: the bytes are left as they are
  kNoDeviceName,  // PROTOCOL.INI has the key but the driver file name has no
                  // dot, so there is no device name to write; bytes unchanged
};

// The file's name in the NET folder: "SYSTEM.INI" or "PROTOCOL.INI".
const char* BootConfigFileName(BootConfigFile file);

// Rewrites `*bytes`, the content of `file`, for `driverFileName`:
// - SYSTEM.INI: the whole first line containing "netcard=" becomes
//   "netcard=<driver file name, white space trimmed>";
// - PROTOCOL.INI: the whole first line containing "DriverName=" becomes
//   "DriverName=<that name before its last dot, trimmed>$".
// Keys are matched with their letter case and on character boundaries (a
// code page 936 trail byte never starts one). Every other byte, the line's
// own line break included, is kept. Touches nothing but `*bytes`.
BootConfigRewrite RewriteBootConfigText(BootConfigFile file, const std::string& driverFileName, std::string* bytes);
