// The two builds of boot media for the selected card: button 1010 builds
// <target>\NET\ from the template's NET folder, button 1011 the whole
// <target>\BootDisk\ from the template.
#pragma once

#include <string>

#include "library/nic_list.h"
#include "view/main_view.h"

// Both ask for the target path and refuse, before anything is removed, a
// build folder that would destroy or read the program's own data
// (AskBuildOutput: cancel or refusal, nothing changed), then:
// - report a missing card for the selected row, writing nothing;
// - empty and recreate the build folder (<target>\NET\ or
//   <target>\BootDisk\); messages name it by its full path. An old build
//   folder, or a folder in it, that is a link is removed as a link, never
//   emptied through, and a link that cannot be removed ends the build with
//   a message before anything is written;
// - copy the template source into it (CopyTree, which follows no link into
//   the template, the build folder or the driver library; its failure ends
//   the build, already reported);
// - copy the selected card's driver file into the build's NET folder, over a
//   read-only file of that name the template brought; when the copy fails,
//   the failure is reported and the build ends without success;
// - rewrite SYSTEM.INI and PROTOCOL.INI there for the driver
//   (RewriteBootConfig; its failure ends the build, already reported);
// - report success ("NET目录创建成功！" or "U盘目录创建成功！", caption
//   "创建成功") and give the focus to the list.
// A build that fails after making its build folder removes it again, so no
// half-built media that looks complete is left. Nothing outside the build
// folder is changed.
void CreateNetDir(MainView& view, const NicList& nicList, const std::string& programFolder);
void CreateUsbDisk(MainView& view, const NicList& nicList, const std::string& programFolder);
