// The card a build is made for: the one the card list has selected.
#pragma once

#include <string>

#include "bootdisk/boot_config_text.h"
#include "library/nic_list.h"
#include "view/main_view.h"

// The NicEntry of the list's first selected row. When there is none (no
// row selected, or a row without its entry) the failure is reported
// ("找不到所选网卡的驱动程序，启动盘没有创建完成！") and the result is null.
// Changes nothing.
const NicEntry* SelectedCardForBuild(MainView& view, const NicList& nicList);

// The card as the medium's two files name it: its driver file's name and
// its device name (DeviceNameOfCard). "" when it can be set up; otherwise
// the refusal, with the reason in a few words in `*reason` when given: a
// driver file name that is no DOS 8.3 name (DOS could not load the file
// netcard= names, on a folder medium as in an image), or a device name that
// cannot be right (CheckDeviceName). Reads the card's package only.
std::string MediaCardOf(const NicEntry& card, MediaCard* media, std::string* reason = nullptr);
