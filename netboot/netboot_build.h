// The network boot folder of a lab: the context menu's "创建网络启动目录..."
// writes <target>\netboot\, typically at the root of the lab's TFTP or
// HTTP server, with one boot image per card of the library and the menus
// that pick the right one, by the booting card's PCI ids where the card's
// package names them.
#pragma once

#include <string>
#include <vector>

#include "bootdisk/card_image.h"
#include "files/messages.h"
#include "files/progress.h"
#include "library/nic_list.h"
#include "netboot/menu_entries.h"
#include "view/main_view.h"

// Refused with a message, nothing written: an empty library; a cancelled
// or refused target (AskBuildOutput: never the template, the template
// image, the library or the program folder); a template image that is
// missing, unreadable or unsound (OpenTemplateImage); no card that can get
// an image (the old netboot folder then stays as it was).
//
// Otherwise, as long work with a progress window by cards: the folder is
// replaced whole once the new one is complete; every card gets <DRV>.IMG, made from the template image
// exactly as the image build makes BootDisk.img for it (SetUpCardImage), and
// the folder gets menu.cfg and menu.ipxe (MenuEntriesOf, PxeLinuxMenu,
// IpxeMenu) for the cards that got an image. A card that cannot get one is
// left out and named with its reason; the others are still built. The end
// is one message: "网络启动目录创建成功！" (caption "创建成功") with the
// number of cards built and the cards left out; or, when no card was built,
// a failure naming each card's reason. A build that fails to write or is
// cancelled removes the folder it made, leaves the old one as it was and
// says so. Nothing outside <target>\netboot\ and the new folder made beside
// it is written.
void CreateNetbootFolder(MainView& view, const NicList& nicList, const std::string& programFolder);

// What the build did, for the one message at its end.
struct NetbootOutcome {
  struct Skipped {
    const NicEntry* card;
    std::string reason;
  };
  std::vector<BuiltCard> built;
  std::vector<Skipped> skipped;
  std::vector<MenuEntry> entries;  // the menus' entries, once every image is written
  ImageRefusal refusal;  // the template refused: nothing written
  Messages failures;     // file work that failed: the old folder kept as it was
  bool complete = false;  // the new folder, with every image built and both menus, is in place
};

// The build's work, off the window's thread: reads the template image once,
// writes every card's image and the menus into a new folder beside
// `folder` (a full path) and puts it in the old one's place once complete
// (ReplacingFolder). A build that fails, is cancelled (a Step returning
// false) or can make no image leaves the old folder exactly as it was.
void BuildNetbootFolder(const std::string& folder, const std::string& templateImage, const NicList& nicList,
                        Progress& progress, NetbootOutcome* outcome);
