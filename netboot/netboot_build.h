// The network boot folder of a lab: <target>\netboot\ (the context menu's
// "创建网络启动目录..."), typically at the root of the lab's TFTP or HTTP
// server, with one boot image per card of the library and the menus that
// pick the right one, by the booting card's PCI ids where the card's
// package names them.
#pragma once

#include <string>
#include <vector>

#include "bootdisk/build_request.h"
#include "library/card_list.h"
#include "netboot/menu_entries.h"
#include "work/outcome.h"
#include "work/progress.h"

// What the build did: its notices, and the cards it built and left out.
struct NetbootOutcome : Outcome {
  struct Skipped {
    CardEntry card;
    std::string reason;
  };
  std::vector<BuiltCard> built;
  std::vector<Skipped> skipped;
  std::vector<MenuEntry> entries;  // the menus' entries, once every image is written
  std::string universalProblem;    // why there is no ALL.IMG; "" when there is
  bool complete = false;           // the new folder, with every image and both menus, is in place
};

// What a build of the whole library says when the library has no card.
inline const char kEmptyLibraryForNetboot[] = "驱动程序库中还没有网卡，请先添加网卡，再创建网络启动目录！";

// Given at least one card (RunBuild refuses an empty library). Refused with
// a notice, nothing written: a target that would be or hold the template, the template image, the
// library or the program folder (CheckBuildOutput); a template image that is
// missing, unreadable or unsound (OpenTemplateImage); no card that can get
// an image (the old netboot folder then stays as it was).
//
// Otherwise, reporting progress by cards: every card gets <DRV>.IMG, made
// from the template image (read once) exactly as the image build makes
// BootDisk.img for it (SetUpCardImage), and the folder gets menu.cfg and
// menu.ipxe (MenuEntries, PxeLinuxMenu, IpxeMenu) for the cards that got an
// image, all in a new folder beside the old one, which takes the old one's
// place only once complete (ReplacingFolder). The folder also gets ALL.IMG,
// the universal image of every card (SetUpUniversalImage), when the template
// image can take it and holds every card: the menus then offer it first,
// and PXELINUX's boots it by default. A card that cannot get one is
// left out and named with its reason; the others are still built. The end
// is one notice: "网络启动目录创建成功！" with the number of cards built and
// the cards left out; or, when no card was built, a refusal naming each
// card's reason. A build that fails, is cancelled or is ended by an
// exception removes the folder it made and leaves the old one exactly as it
// was, and says so. Nothing outside <target>\netboot\ and the new folder
// made beside it is written.
void BuildNetbootFolder(const BuildRequest& request, Progress& progress, NetbootOutcome* outcome);
