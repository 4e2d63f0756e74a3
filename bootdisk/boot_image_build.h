// The boot image build: <target>\BootDisk.img, a copy of the template image
// <program folder>\BootDisk.img set up for one card, for PXE boot through
// memdisk or a virtual floppy drive (the context menu's "创建启动镜像...").
#pragma once

#include "bootdisk/build_request.h"
#include "work/outcome.h"
#include "work/progress.h"

// Refuses a BootDisk.img that would be the template image or lie in the
// boot disk template or the driver library (CheckBuildOutput), fails
// without a card (kNoCardForBuild), then sets the template image up for the
// card in memory (OpenTemplateImage, SetUpCardImage: the image's NET files
// equal those of a NET folder build from the image's \NET; every other byte
// of the template stays as it is) and writes it.
//
// Refused with nothing written, as a refusal notice unless it is a failure
// of file work (a failure notice): every refusal of OpenTemplateImage and
// SetUpCardImage; a <target>\BootDisk.img that is a link is neither
// replaced nor written through.
//
// The image is written beside the target under a free temporary name
// (ReplacingFile: BootDisk.img.tmp unless that is taken), which then
// replaces <target>\BootDisk.img in one step; when either fails, the user
// cancels or an exception ends the build, the temporary file is removed and
// an existing BootDisk.img keeps its content. The template image is only
// read. Success: "启动镜像创建成功！".
void BuildBootImage(const BuildRequest& request, Progress& progress, Outcome* outcome);
