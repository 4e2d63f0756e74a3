// The boot image build: the context menu's "创建启动镜像..." writes
// <target>\BootDisk.img, a copy of the template image <program
// folder>\BootDisk.img set up for the selected card, for PXE boot through
// memdisk or a virtual floppy drive.
#pragma once

#include <string>

#include "library/nic_list.h"
#include "view/main_view.h"

// Asks for the target path (AskBuildOutput: cancel, or a BootDisk.img that
// would be the template image or lie in the boot disk template or the
// driver library, changes nothing), then, as long work (RunLongWork), sets
// the template image up for the selected card in memory (OpenTemplateImage,
// SetUpCardImage: the image's NET files equal those of a NET folder build
// from the image's \NET; every other byte of the template stays as it is)
// and writes it.
//
// Refused with nothing written, in the main window's box (caption
// "创建错误") unless it is a failure of file work (the application's box):
// no card for the selected row, and every refusal of OpenTemplateImage and
// SetUpCardImage; a <target>\BootDisk.img that is a link is neither
// replaced nor written through.
//
// The image is written beside the target under a free temporary name
// (ReplacingFile: BootDisk.img.tmp unless that is taken), which then
// replaces <target>\BootDisk.img in one step; when either fails, or the user
// cancels, the temporary file is removed and an existing BootDisk.img keeps
// its content. The template image is only read. Success: "启动镜像创建成功！",
// caption "创建成功", and the focus back to the list.
void CreateBootImage(MainView& view, const NicList& nicList, const std::string& programFolder);
