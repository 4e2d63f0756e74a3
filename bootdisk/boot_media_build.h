// The two folder builds of boot media for one card: the NET folder
// (<target>\NET\ from the template's NET folder, button 1010) and the USB
// stick's folder (<target>\BootDisk\ from the whole template, button 1011).
#pragma once

#include "bootdisk/build_request.h"
#include "work/outcome.h"
#include "work/progress.h"

// Both refuse, before anything is removed, a build folder that would
// destroy or read the program's own data (CheckBuildOutput), then:
// - fail without a card (kNoCardForBuild), writing nothing;
// - refuse a card whose driver or device name DOS cannot use (MediaCardOf;
//   the device name's search reads the card's package, off the window's
//   thread when the front end runs the build as long work) and a template
//   whose SYSTEM.INI or PROTOCOL.INI lacks the line the client reads;
// - empty and recreate the build folder (<target>\NET\ or
//   <target>\BootDisk\); messages name it by its full path. An old build
//   folder, or a folder in it, that is a link is removed as a link, never
//   emptied through, and a link that cannot be removed ends the build with
//   a message before anything is written;
// - copy the template source into it (CopyTree, which follows no link into
//   the template, the build folder or the driver library; its failure ends
//   the build, noted);
// - copy the card's driver file into the build's NET folder, over a
//   read-only file of that name the template brought; when the copy fails,
//   the failure is noted and the build ends without success;
// - rewrite SYSTEM.INI and PROTOCOL.INI there for the driver
//   (RewriteBootConfig; its failure ends the build, noted);
// - succeed with "NET目录创建成功！" or "U盘目录创建成功！".
// A build that fails, is cancelled (a Step returning false: "创建已取消…",
// CancelledText) or is ended by an exception after making its build folder
// removes it again (BuildFolderGuard), so no half-built media that looks
// complete is left. Nothing outside the build folder is changed. What
// arose is noted in `*outcome` as it arises, so that it survives an
// exception.
void BuildNetFolder(const BuildRequest& request, Progress& progress, Outcome* outcome);
void BuildUsbFolder(const BuildRequest& request, Progress& progress, Outcome* outcome);
