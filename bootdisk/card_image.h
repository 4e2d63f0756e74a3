// The template image set up for one card, in memory: what the image build
// writes as <target>\BootDisk.img, and what the network boot folder writes
// once for every card of the library. Reads the template image and the
// card's files; writes nothing.
#pragma once

#include <string>

#include "bootdisk/boot_config_text.h"
#include "bootdisk/medium_identity.h"
#include "fat/image.h"
#include "library/card_entry.h"

// Why no image was made: the message for the user, whether it is a failure
// of file work (the application's box) rather than a refusal (the main
// window's box, caption "创建错误"), and the reason in a few words, for a
// list of cards left out.
struct ImageRefusal {
  std::string text;
  bool fileWork = false;
  std::string reason;
};

// The time of the build, which the entries written get, as DOS gives a
// file it writes.
fat::DosStamp DosStampNow();

// Reads and checks the template image `templateImage`. Refused: no such
// file; one bigger than fat::Image::kMaxImageBytes (before it is read); one
// that cannot be read (file work); one fat::Image::Open refuses; no \NET,
// or no NET\SYSTEM.INI or NET\PROTOCOL.INI, or one of them a folder or
// without the line the client reads for the card.
bool OpenTemplateImage(const std::string& templateImage, fat::Image* image, ImageRefusal* refusal);

// `*image`, an opened template image, set up for `card` (SetUpBootImage)
// with the client's `identity`, its entries stamped `stamp`; where each PC
// gets a computer name of its own, the image also gets the boot program
// that draws it (AddNameOnlyBootProgram). Refused: a driver file name DOS
// cannot load or a device name that cannot be right (MediaCardOf), a
// driver file that cannot be read (file work), a folder in NET named as a
// file the build writes, too little space. Once refused, `*image` must be
// dropped.
bool SetUpCardImage(const std::string& templateImage, const CardEntry& card, const MediumIdentity& identity,
                    fat::DosStamp stamp, fat::Image* image, ImageRefusal* refusal);

// The identity of a build from the opened template image `image`
// (MediumIdentityOf, from its NET\SYSTEM.INI and NET\PROTOCOL.INI, and
// ImageIdentityProblem): "" or the refusal.
std::string IdentityOfImage(const fat::Image& image, const NetworkSettings& settings, bool manyPcsBoot,
                            const std::string& templateImage, MediumIdentity* identity);

// "" when the opened template image can take the build's identity: where
// each PC gets a name of its own, it needs an AUTOEXEC.BAT to run the boot
// program; otherwise why not, as the rest of a sentence about the template
// image.
std::string ImageIdentityProblem(const fat::Image& image, const MediumIdentity& identity);

// Puts the boot program into the image for a medium of one card whose PCs
// each get a computer name of its own: NameOnlyBootProgramFiles, and its
// line in AUTOEXEC.BAT. "" when done, otherwise why not (no room), as the
// rest of a sentence about the template image; the image must then be
// dropped.
std::string AddNameOnlyBootProgram(fat::Image* image, const std::string& nameBase, fat::DosStamp stamp);

// The work on the image in memory: `image` (opened) gets the card's driver
// file with content `driver` in \NET, and NET\SYSTEM.INI and
// NET\PROTOCOL.INI rewritten for it (RewriteBootConfigText); the entries
// written get `stamp`. "" when done; otherwise the end of a sentence that
// starts with the template image's path, telling why not (no NET, no
// SYSTEM.INI or PROTOCOL.INI or one without the card's line, a folder in
// NET named as one of the three files, no device name, no space), with the
// reason in a few words in `*reason` when given; the image must be dropped.
std::string SetUpBootImage(fat::Image* image, const MediaCard& card, const std::string& driver, fat::DosStamp stamp,
                           std::string* reason = nullptr);
