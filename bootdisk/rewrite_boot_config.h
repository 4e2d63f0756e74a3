// Setting up a built NET folder for one network card: SYSTEM.INI names the
// card's driver file and PROTOCOL.INI the driver's device.
#pragma once

#include <string>

#include "bootdisk/boot_config_text.h"
#include "files/messages.h"

// In `netFolder` (trailing backslash optional) rewrites SYSTEM.INI and
// PROTOCOL.INI for `card` (RewriteBootConfigText: the line the client reads
// gets the card's netcard= or DriverName=, every other byte is kept); a
// file without that line is left as it is (the builds refuse such a
// template before they start).
// Each file is written whole as TEMP.INI beside it, which then replaces it in
// one step: the file is never missing and keeps its old content when the
// replacement fails. A read-only attribute that the files brought along from
// the template is cleared first; the template itself is never touched.
//
// Returns true when both files are done. On failure it has added its
// messages to `messages` and returns false, never leaving a TEMP.INI behind:
// - TEMP.INI cannot be created: "创建文件失败!", nothing removed (a
//   SYSTEM.INI done before stays done);
// - SYSTEM.INI or PROTOCOL.INI cannot be read, or PROTOCOL.INI has the
//   card's line and the card has no device name: AbortCopy on the NET
//   folder ("文件拷贝失败！", the folder removed with its content);
// - TEMP.INI cannot be written: AbortCopy on TEMP.INI, the file keeps its
//   content;
// - TEMP.INI cannot take the file's place: TEMP.INI removed, the file keeps
//   its content, a message naming it.
bool RewriteBootConfig(const std::string& netFolder, const MediaCard& card, Messages* messages);

// "" when the template NET folder `templateNet` (trailing backslash) has a
// SYSTEM.INI and a PROTOCOL.INI holding the lines the client reads for the
// card (TemplateConfigProblem); otherwise why a build from it is refused
// before anything is written. Reads only.
std::string CheckTemplateConfig(const std::string& templateNet);
