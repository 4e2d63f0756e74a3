#include "universal/universal_medium.h"

#include <cstdio>

#include "bootdisk/autoexec_line.h"
#include "bootdisk/boot_table.h"
#include "bootdisk/card_title.h"
#include "bootdisk/media_card.h"
#include "port/file_system.h"
#include "text/cp936_path.h"

namespace {

std::string FolderNumber(std::size_t index) {
  char number[8];
  std::snprintf(number, sizeof number, "%03u", static_cast<unsigned>(index + 1));
  return number;
}

// The template's SYSTEM.INI and PROTOCOL.INI rewritten for `media`; false
// when the template's PROTOCOL.INI wants a device name the card lacks.
bool ConfigFilesFor(const UniversalTemplate& tmpl, const MediaCard& media, std::string* systemIni,
                    std::string* protocolIni) {
  *systemIni = tmpl.systemIni;
  *protocolIni = tmpl.protocolIni;
  RewriteBootConfigText(BootConfigFile::kSystemIni, media, systemIni);
  return RewriteBootConfigText(BootConfigFile::kProtocolIni, media, protocolIni) != BootConfigRewrite::kNoDeviceName;
}

}  // namespace

bool PlanUniversalMedium(const CardList& cards, const UniversalTemplate& tmpl, const MediumIdentity& identity,
                         Progress& progress, UniversalMedium* medium) {
  const std::uint64_t total = static_cast<std::uint64_t>(cards.Count());
  std::uint64_t done = 0;
  std::vector<std::string> drivers;
  std::vector<std::string> systemInis;
  std::vector<std::string> protocolInis;
  for (const CardEntry& card : cards) {
    if (!progress.Step("正在读取" + card.cardName + "的驱动程序", done++, total)) return false;
    UniversalCard taken;
    taken.card = card;
    std::string reason;
    std::string driver;
    std::string systemIni;
    std::string protocolIni;
    const bool refused = !MediaCardOf(card, &taken.media, &reason).empty();
    taken.media.identity = identity.settings;
    if (refused) {
      medium->leftOut.push_back({card, reason});
    } else if (medium->cards.size() == kMaxUniversalCards) {
      medium->leftOut.push_back({card, "通用启动盘最多放999块网卡"});
    } else if (!port::ReadFile(card.driverPath, &driver)) {
      medium->leftOut.push_back({card, "驱动程序文件无法读取（可能已被删除）"});
    } else if (!ConfigFilesFor(tmpl, taken.media, &systemIni, &protocolIni)) {
      medium->leftOut.push_back({card, "无法写出驱动设备名"});
    } else {
      taken.folder = FolderNumber(medium->cards.size());
      taken.ids = PciIdsOfCard(card.driverPath);
      medium->cards.push_back(std::move(taken));
      drivers.push_back(std::move(driver));
      systemInis.push_back(std::move(systemIni));
      protocolInis.push_back(std::move(protocolIni));
    }
  }
  if (medium->cards.empty()) return true;

  std::vector<TitleSource> sources;
  for (const UniversalCard& card : medium->cards) {
    sources.push_back({card.card.rowIndex, card.card.cardName, card.media.driverFileName, card.folder});
  }
  const std::vector<std::string> titles = CardTitles(sources);
  std::vector<BootTableCard> table;
  for (std::size_t i = 0; i < medium->cards.size(); ++i) {
    UniversalCard& card = medium->cards[i];
    card.title = titles[i];
    table.push_back({card.folder, card.media.driverFileName, card.ids, card.title});
  }
  // What the boot program can read of the table decides which cards go on.
  BootTableFit fit;
  const std::string tableText = BootTableText(table, identity.uniqueName ? identity.nameBase : std::string(), &fit);
  for (std::size_t i = fit.cards; i < medium->cards.size(); ++i) {
    medium->leftOut.push_back({medium->cards[i].card, "网卡表已满（启动程序只读32KB的网卡表）"});
  }
  medium->cards.resize(fit.cards);
  for (UniversalCard& card : medium->cards) card.menuOnly = card.ids.empty();
  for (std::size_t i : fit.idsLeftOut) medium->cards[i].menuOnly = true;

  const std::string cardsFolder = std::string("NET\\") + kCardsFolderName;
  medium->folders.push_back(cardsFolder);
  for (std::size_t i = 0; i < medium->cards.size(); ++i) {
    const std::string folder = cardsFolder + "\\" + medium->cards[i].folder;
    medium->folders.push_back(folder);
    medium->files.push_back({folder + "\\" + medium->cards[i].media.driverFileName, drivers[i]});
    medium->files.push_back({folder + "\\SYSTEM.INI", systemInis[i]});
    medium->files.push_back({folder + "\\PROTOCOL.INI", protocolInis[i]});
  }

  // NET as a one-card medium for the first card, as a NET build makes it.
  const UniversalCard& first = medium->cards.front();
  medium->files.push_back({"NET\\" + first.media.driverFileName, drivers.front()});
  medium->files.push_back({"NET\\SYSTEM.INI", systemInis.front()});
  medium->files.push_back({"NET\\PROTOCOL.INI", protocolInis.front()});
  for (MediumFile& file : BootProgramFiles(tableText)) medium->files.push_back(std::move(file));
  std::string autoexec = tmpl.autoexec;
  AddBootProgramLine(&autoexec);
  medium->files.push_back({tmpl.autoexecPath, autoexec});
  return true;
}

std::string UniversalTemplateProblem(bool hasAutoexec, const std::function<bool(const std::string&)>& netHolds) {
  if (!hasAutoexec) return "中没有AUTOEXEC.BAT，没有程序会在启动时运行选择网卡的TOVRELL.COM";
  for (const char* ours : {kCardsFolderName, kBootProgramName, kBootTableName}) {
    if (netHolds(ours)) {
      return std::string("的NET文件夹中已经有") + ours +
             "，它像是本程序做成的通用启动盘，旧的网卡会混进来；请使用原来的启动盘模板";
    }
  }
  return std::string();
}

std::string LeftOutLines(const std::vector<LeftOutCard>& leftOut) {
  // A message box is no list of hundreds of cards: the first ones, and a count.
  constexpr std::size_t kShown = 20;
  std::string lines;
  for (std::size_t i = 0; i < leftOut.size() && i < kShown; ++i) {
    const LeftOutCard& out = leftOut[i];
    lines += "\n" + out.card.cardName + "（第" + std::to_string(out.card.rowIndex + 1) + "行，" +
             cp936::FileNameOf(out.card.driverPath) + "）：" + out.reason;
  }
  if (leftOut.size() > kShown) lines += "\n……另有" + std::to_string(leftOut.size() - kShown) + "块";
  return lines;
}

std::string UniversalSummary(const UniversalMedium& medium, const MediumIdentity& identity) {
  std::size_t byIds = 0;
  for (const UniversalCard& card : medium.cards) byIds += card.menuOnly ? 0 : 1;
  std::string text = "放了" + std::to_string(medium.cards.size()) + "块网卡：" + std::to_string(byIds) +
                     "块网卡的驱动程序包给出了PCI编号，启动时自动选用；" + std::to_string(medium.cards.size() - byIds) +
                     "块只能从启动菜单中选择。";
  std::size_t crowded = 0;
  for (const UniversalCard& card : medium.cards) crowded += card.menuOnly && !card.ids.empty() ? 1 : 0;
  if (crowded > 0) {
    text += "\n其中" + std::to_string(crowded) + "块网卡的PCI编号在网卡表中放不下（启动程序只读32KB的网卡表），只能从菜单中选择。";
  }
  if (identity.uniqueName) text += "\n" + UniqueNameNote(identity);
  if (!medium.leftOut.empty()) {
    text += "\n以下" + std::to_string(medium.leftOut.size()) + "块网卡没有放进去：" + LeftOutLines(medium.leftOut);
  }
  return text;
}
