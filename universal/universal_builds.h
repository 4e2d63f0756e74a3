// The two builds of one medium for every card: the universal USB stick's
// folder <target>\BootDisk\ from the template folder ("创建通用U盘..."), and
// the universal boot image <target>\BootDisk.img from the template image
// ("创建通用启动镜像..."). What goes on them is UniversalMedium's.
#pragma once

#include <string>

#include "bootdisk/build_request.h"
#include "fat/image.h"
#include "universal/universal_medium.h"
#include "work/outcome.h"
#include "work/progress.h"

// What a build of every card says when the library has no card.
inline const char kEmptyLibraryForUniversal[] = "驱动程序库中还没有网卡，请先添加网卡，再创建通用启动盘！";

// Both are given at least one card (RunBuild refuses an empty library).
// They refuse, with nothing written: an output that is
// or holds the program's own data (CheckBuildOutput); a template that lacks
// NET\SYSTEM.INI or NET\PROTOCOL.INI with the lines the client reads, or
// AUTOEXEC.BAT, or already holds a universal medium's files
// (UniversalTemplateProblem). When no card can go on the medium, they fail
// naming each card's reason, and nothing is left behind.
//
// The folder build copies the template into a new folder beside
// <target>\BootDisk (CopyTree, following no link into the template, the
// build or the library), makes the medium's folders and writes its files
// there, and puts it in the old BootDisk's place only once complete
// (ReplacingFolder): a failed or cancelled build, or one an exception ends,
// leaves the old one exactly as it was.
void BuildUniversalFolder(const BuildRequest& request, Progress& progress, Outcome* outcome);

// The image build sets the medium up in the template image in memory
// (SetUpUniversalImage) and writes it as BootDisk.img is written
// (ReplacingFile): an existing BootDisk.img is replaced only by a complete
// image. An image whose cards do not fit is refused with nothing written,
// naming the space needed and the space free.
void BuildUniversalImage(const BuildRequest& request, Progress& progress, Outcome* outcome);

// The template's files in the opened template image `image`, and whether
// it can take a universal medium: "" when it can, otherwise why not as the
// rest of a sentence about the template image.
std::string UniversalTemplateOfImage(const fat::Image& image, UniversalTemplate* tmpl);

// `*image` (an opened template image) with `medium` written in, its entries
// stamped `stamp`. "" when done; otherwise why not, as the rest of a
// sentence about the template image (no room: the space needed and the
// space free), and the image must be dropped.
std::string SetUpUniversalImage(const UniversalMedium& medium, fat::DosStamp stamp, fat::Image* image);
