// What a build of boot media is given, as plain data, by whichever front end
// asks for it: where the program's own data lies, where the user wants the
// build, the card (or every card) it is for, and the identity the client
// gets.
#pragma once

#include <optional>
#include <string>

#include "library/card_list.h"
#include "settings/network_settings.h"

struct BuildRequest {
  std::string programFolder;      // holds driver\, BootDisk\ and BootDisk.img
  std::string targetPath;         // where the build goes, as the user gave it
  std::optional<CardEntry> card;  // a one-card build's card; none when none was chosen
  CardList cards;                 // every card of the library, for the builds of them all
  NetworkSettings settings{};     // the client's identity (Tovrell.ini); unset: the template's
};

// What a one-card build without its card says (no row selected, or a row
// without its entry): a failure of file work.
inline const char kNoCardForBuild[] = "找不到所选网卡的驱动程序，启动盘没有创建完成！";
