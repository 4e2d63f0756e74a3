// Setting up a built NET folder for one network card: SYSTEM.INI names the
// card's driver file and PROTOCOL.INI the driver's device.
#pragma once

#include <string>

#include "files/messages.h"

// In `netFolder` (trailing backslash optional) replaces, byte for byte:
// - in SYSTEM.INI the whole first line containing "netcard=" by
//   "netcard=<driver file name, white space trimmed>";
// - in PROTOCOL.INI the whole first line containing "DriverName=" by
//   "DriverName=<that name before its last dot, trimmed>$".
// Keys are matched with their letter case; every other byte, the line's own
// line break included, is kept, and a file without the key is left as it is.
// Each file is written whole as TEMP.INI beside it, which then replaces it in
// one step: the file is never missing and keeps its old content when the
// replacement fails. A read-only attribute that the files brought along from
// the template is cleared first; the template itself is never touched.
//
// Returns true when both files are done. On failure it has added its
// messages to `messages` and returns false, never leaving a TEMP.INI behind:
// - TEMP.INI cannot be created: "创建文件失败!", nothing removed (a
//   SYSTEM.INI done before stays done);
// - SYSTEM.INI or PROTOCOL.INI cannot be read, or PROTOCOL.INI has a
//   DriverName= line and the driver file name has no dot: AbortCopy on the
//   NET folder ("文件拷贝失败！", the folder removed with its content);
// - TEMP.INI cannot be written: AbortCopy on TEMP.INI, the file keeps its
//   content;
// - TEMP.INI cannot take the file's place: TEMP.INI removed, the file keeps
//   its content, a message naming it.
bool RewriteBootConfig(const std::string& netFolder, const std::string& driverFileName, Messages* messages);
