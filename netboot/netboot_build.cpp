#include "netboot/netboot_build.h"

#include <vector>

#include "bootdisk/build_target.h"
#include "files/replacing_folder.h"
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

// Sets every card's image up and writes it into a new folder beside
// `folder`, then the menus, and puts the new folder in the old one's place
// once it is complete: a build that fails, is cancelled or can make no image
// leaves the old folder as it was. False when the user cancelled.
bool WriteNetbootFolder(const std::string& folder, const std::string& templateImage, const fat::Image& image,
                        const NicList& nicList, Progress& progress, NetbootOutcome* outcome) {
  const fat::DosStamp stamp = DosStampNow();
  const std::uint64_t cards = static_cast<std::uint64_t>(nicList.Count());
  std::uint64_t done = 0;
  ReplacingFolder replacing(folder, "网络启动目录");
  if (!replacing.Create(&outcome->failures)) return true;
  MenuEntries entries;
  for (const NicEntry& card : nicList) {
    if (!progress.Step("正在创建" + card.cardName + "的启动镜像", done++, cards)) return false;
    fat::Image cardImage = image;
    ImageRefusal refusal;
    if (!SetUpCardImage(templateImage, card, stamp, &cardImage, &refusal)) {
      outcome->skipped.push_back({&card, refusal.reason});
      continue;
    }
    outcome->built.push_back({card.rowIndex, card.cardName, cp936::FileNameOf(card.driverPath),
                              cardImage.HasPartitionTable(), PciIdsOfCard(card.driverPath)});
    const std::string path = replacing.path() + entries.Add(outcome->built.back()).imageName;
    if (!port::WriteFile(path, cardImage.bytes())) {
      outcome->failures.push_back("无法写入" + path + "：" + port::LastErrorText() + "，网络启动目录没有创建！");
      return true;
    }
  }
  if (entries.size() == 0) return true;
  outcome->entries = entries.Entries();
  for (const auto& menu : {std::make_pair("menu.cfg", PxeLinuxMenu(outcome->entries)),
                           std::make_pair("menu.ipxe", IpxeMenu(outcome->entries))}) {
    if (!port::WriteFile(replacing.path() + menu.first, menu.second)) {
      outcome->failures.push_back("无法写入" + replacing.path() + menu.first + "：" + port::LastErrorText() +
                                  "，网络启动目录没有创建！");
      return true;
    }
  }
  if (!progress.Step("正在用新的网络启动目录替换" + folder, cards, cards)) return false;
  outcome->complete = replacing.Replace(&outcome->failures);
  return true;
}

}  // namespace

void BuildNetbootFolder(const std::string& folder, const std::string& templateImage, const NicList& nicList,
                        Progress& progress, NetbootOutcome* outcome) {
  if (!progress.Step("正在读取启动镜像模板" + templateImage, 0, 0)) return;
  fat::Image image;
  if (!OpenTemplateImage(templateImage, &image, &outcome->refusal)) return;
  WriteNetbootFolder(pathform::WithoutBackslash(folder), templateImage, image, nicList, progress, outcome);
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
  std::string failure;
  const bool finished = view.RunLongWork("正在创建网络启动目录", [&](Progress& progress) {
    BuildNetbootFolder(folder, templateImage, nicList, progress, &outcome);
  }, &failure);
  if (!failure.empty()) {
    outcome.complete = false;
    outcome.failures.push_back("创建时出错（" + failure + "），网络启动目录没有创建。");
  }
  if (!outcome.complete && !outcome.failures.empty()) outcome.failures.back() += "\n" + UnchangedText(folder);
  view.ShowAppMessages(outcome.failures);
  view.FocusList();
  if (!failure.empty()) return;
  if (!finished) {
    view.ShowMessage("创建已取消，" + UnchangedText(folder), "创建取消");
  } else if (!outcome.refusal.text.empty()) {
    if (outcome.refusal.fileWork) {
      view.ShowAppMessage(outcome.refusal.text);
    } else {
      view.ShowMessage(outcome.refusal.text, kRefusalCaption);
    }
  } else if (outcome.complete) {
    std::size_t chosenById = 0;
    for (const MenuEntry& entry : outcome.entries) chosenById += entry.ids.empty() ? 0 : 1;
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
