// The boot image build: the context menu's "创建启动镜像..." writes
// <target>\BootDisk.img, a copy of the template image <program
// folder>\BootDisk.img set up for the selected card, for PXE boot through
// memdisk or a virtual floppy drive.
#pragma once

#include <string>

#include "bootdisk/boot_config_text.h"
#include "fat/image.h"
#include "library/nic_list.h"
#include "view/main_view.h"

// Asks for the target path (AskBuildOutput: cancel, or a BootDisk.img that
// would be the template image or lie in the boot disk template or the
// driver library, changes nothing), then builds the image in memory: the template's \NET gets the
// selected card's driver file, and its SYSTEM.INI and PROTOCOL.INI are
// rewritten with the same line rewrites as a folder build's, so that the
// image's files equal those of a NET folder build from the image's \NET.
// Every other byte of the template stays as it is.
//
// Refused before anything is written, with a message in the main dialog's
// box (caption "创建错误") unless it is a failure of file work (the
// application's box): no card for the selected row; a driver file name that is no DOS 8.3 name; no
// template image, one bigger than fat::Image::kMaxImageBytes (refused before
// it is read), or one that cannot be read; a template that is no sound
// FAT12/FAT16 image (fat::Image::Open); no NET folder, SYSTEM.INI or
// PROTOCOL.INI in it; a driver file that cannot be read; too little free
// space in the image.
//
// The image is written beside the target under a free temporary name
// (ReplacingFile: BootDisk.img.tmp unless that is taken), which then
// replaces <target>\BootDisk.img in one step; when either fails the
// temporary file is removed and an existing BootDisk.img keeps its content.
// The template image is only read. Success: "启动镜像创建成功！", caption
// "创建成功", and the focus back to the list.
void CreateBootImage(MainView& view, const NicList& nicList, const std::string& programFolder);

// The build's work on the image in memory: `image` (opened) gets the card's
// driver file with content `driver` in \NET, and NET\SYSTEM.INI and
// NET\PROTOCOL.INI rewritten for it (RewriteBootConfigText); the entries
// written get `stamp`. "" when done; otherwise the end of a sentence that
// starts with the template image's path, telling why not (no NET, no
// SYSTEM.INI or PROTOCOL.INI or one without the card's line, a folder in
// NET named as one of the three files, no device name, no space), and the
// image must be dropped.
std::string SetUpBootImage(fat::Image* image, const MediaCard& card, const std::string& driver,
                           fat::DosStamp stamp);
