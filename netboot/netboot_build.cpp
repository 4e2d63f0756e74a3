#include "netboot/netboot_build.h"

#include <vector>

#include "bootdisk/build_target.h"
#include "library/program_folder.h"
#include "netboot/boot_menus.h"
#include "netboot/pci_ids.h"
#include "port/file_system.h"
#include "text/cp936_path.h"
#include "text/path_form.h"

namespace {

const char kRefusalCaption[] = "创建错误";

std::string CardLine(const NicEntry& card, const std::string& reason) {
  return card.cardName + "（第" + std::to_string(card.rowIndex + 1) + "行，" + cp936::FileNameOf(card.driverPath) +
         "）：" + reason;
}

std::string SkippedLines(const std::vector<NetbootOutcome::Skipped>& skipped) {
  std::string lines;
  for (const NetbootOutcome::Skipped& s : skipped) lines += "\n" + CardLine(*s.card, s.reason);
  return lines;
}

// Sets every card's image up and writes it into `folder` (full path,
// trailing backslash), then the menus. The old folder is replaced only once
// the first card's image is made: a build that can make none leaves it as
// it was. False when the user cancelled or a file could not be written,
// `*replaced` then telling whether the folder is this build's.
bool WriteNetbootFolder(const std::string& folder, const std::string& templateImage, const fat::Image& image,
                        const NicList& nicList, Progress& progress, NetbootOutcome* outcome, bool* replaced) {
  const fat::DosStamp stamp = DosStampNow();
  const std::uint64_t cards = static_cast<std::uint64_t>(nicList.Count());
  std::uint64_t done = 0;
  for (const NicEntry& card : nicList) {
    if (!progress.Step("正在创建" + card.cardName + "的启动镜像", done++, cards)) return false;
    fat::Image cardImage = image;
    ImageRefusal refusal;
    if (!SetUpCardImage(templateImage, card, stamp, &cardImage, &refusal)) {
      outcome->skipped.push_back({&card, refusal.reason});
      continue;
    }
    if (!*replaced) {
      if (!ReplaceBuildFolder(folder, "网络启动目录", &outcome->failures)) return false;
      *replaced = true;
    }
    outcome->built.push_back({card.rowIndex, card.cardName, cp936::FileNameOf(card.driverPath),
                              cardImage.HasPartitionTable(), PciIdsOfCard(card.driverPath)});
    // An image's name depends only on the cards built before it.
    const std::string path = folder + MenuEntriesOf(outcome->built).back().imageName;
    if (!port::WriteFile(path, cardImage.bytes())) {
      outcome->failures.push_back("无法写入" + path + "：" + port::LastErrorText() + "，网络启动目录没有创建！");
      return false;
    }
  }
  if (!*replaced) return true;
  const std::vector<MenuEntry> entries = MenuEntriesOf(outcome->built);
  for (const auto& menu : {std::make_pair("menu.cfg", PxeLinuxMenu(entries)), std::make_pair("menu.ipxe", IpxeMenu(entries))}) {
    if (!port::WriteFile(folder + menu.first, menu.second)) {
      outcome->failures.push_back("无法写入" + folder + menu.first + "：" + port::LastErrorText() +
                                  "，网络启动目录没有创建！");
      return false;
    }
  }
  outcome->complete = true;
  return true;
}

}  // namespace

void BuildNetbootFolder(const std::string& folder, const std::string& templateImage, const NicList& nicList,
                        Progress& progress, NetbootOutcome* outcome) {
  if (!progress.Step("正在读取启动镜像模板" + templateImage, 0, 0)) return;
  fat::Image image;
  if (!OpenTemplateImage(templateImage, &image, &outcome->refusal)) return;
  bool replaced = false;
  if (!WriteNetbootFolder(pathform::WithBackslash(folder), templateImage, image, nicList, progress, outcome,
                          &replaced) &&
      replaced) {
    RemoveBuildFolder(folder, &outcome->failures);
  }
}

void CreateNetbootFolder(MainView& view, const NicList& nicList, const std::string& programFolder) {
  if (nicList.IsEmpty()) {
    view.ShowMessage("驱动程序库中还没有网卡，请先添加网卡，再创建网络启动目录！", kRefusalCaption);
    return;
  }
  const std::string templateImage = TemplateImageOf(programFolder);
  std::string folder;
  if (!AskBuildOutput(view, "netboot", BuildOutput::kFolder, templateImage, programFolder, &folder)) return;

  NetbootOutcome outcome;
  const bool finished = view.RunLongWork("正在创建网络启动目录", [&](Progress& progress) {
    BuildNetbootFolder(folder, templateImage, nicList, progress, &outcome);
  });
  view.ShowAppMessages(outcome.failures);
  view.FocusList();
  if (!finished) {
    view.ShowMessage(CancelledText(folder), "创建取消");
  } else if (!outcome.refusal.text.empty()) {
    if (outcome.refusal.fileWork) {
      view.ShowAppMessage(outcome.refusal.text);
    } else {
      view.ShowMessage(outcome.refusal.text, kRefusalCaption);
    }
  } else if (outcome.complete) {
    std::size_t chosenById = 0;
    for (const MenuEntry& entry : MenuEntriesOf(outcome.built)) chosenById += entry.ids.empty() ? 0 : 1;
    std::string text = "网络启动目录创建成功！\n在" + folder + "中为" + std::to_string(outcome.built.size()) +
                       "块网卡创建了启动镜像，其中" + std::to_string(chosenById) +
                       "块网卡的驱动程序包给出了PCI编号，客户机可按网卡自动启动。";
    if (!outcome.skipped.empty()) {
      text += "\n以下" + std::to_string(outcome.skipped.size()) + "块网卡没有创建启动镜像：" + SkippedLines(outcome.skipped);
    }
    view.ShowMessage(text, "创建成功");
  } else if (outcome.failures.empty()) {
    view.ShowMessage("没有为任何网卡创建启动镜像，网络启动目录没有创建：" + SkippedLines(outcome.skipped),
                     kRefusalCaption);
  }
}
