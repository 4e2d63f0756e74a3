// A card of the library as a medium names it.
#pragma once

#include <string>

#include "bootdisk/boot_config_text.h"
#include "library/card_entry.h"

// The card as the medium's two files name it: its driver file's name and
// its device name (DeviceNameOfCard). "" when it can be set up; otherwise
// the refusal, with the reason in a few words in `*reason` when given: a
// driver file name that is no DOS 8.3 name (DOS could not load the file
// netcard= names, on a folder medium as in an image), or a device name that
// cannot be right (CheckDeviceName). Reads the card's package only.
std::string MediaCardOf(const CardEntry& card, MediaCard* media, std::string* reason = nullptr);
