#include "netboot/netboot_build.h"

#include <vector>

#include "bootdisk/build_target.h"
#include "bootdisk/card_image.h"
#include "files/replacing_folder.h"
#include "library/program_folder.h"
#include "netboot/boot_menus.h"
#include "library/pci_ids.h"
#include "port/file_system.h"
#include "text/cp936_path.h"
#include "text/path_form.h"
#include "universal/universal_builds.h"
#include "universal/universal_medium.h"

namespace {

std::string CardLine(const CardEntry& card, const std::string& reason) {
  return card.cardName + "（第" + std::to_string(card.rowIndex + 1) + "行，" + cp936::FileNameOf(card.driverPath) +
         "）：" + reason;
}

std::string SkippedLines(const std::vector<NetbootOutcome::Skipped>& skipped) {
  std::string lines;
  for (const NetbootOutcome::Skipped& s : skipped) lines += "\n" + CardLine(s.card, s.reason);
  return lines;
}

// ALL.IMG for `cards`: "" with its bytes in `*bytes`, or why there is none
// (the template cannot take it, or not every card fits).
std::string UniversalImageOf(const fat::Image& image, const CardList& cards, const MediumIdentity& identity,
                             fat::DosStamp stamp, Progress& progress, std::string* bytes) {
  UniversalTemplate tmpl;
  std::string problem = UniversalTemplateOfImage(image, &tmpl);
  if (!problem.empty()) return "启动镜像模板" + problem;
  UniversalMedium medium;
  if (!PlanUniversalMedium(cards, tmpl, identity, progress, &medium) || medium.cards.empty()) return "没有网卡能放进去";
  fat::Image all = image;
  problem = SetUpUniversalImage(medium, stamp, &all);
  if (!problem.empty()) return "启动镜像模板" + problem;
  *bytes = all.bytes();
  return std::string();
}

// Sets every card's image up and writes it into a new folder beside
// `folder`, then the menus, and puts the new folder in the old one's place
// once it is complete: a build that fails, is cancelled or can make no image
// leaves the old folder as it was.
void WriteNetbootFolder(const std::string& folder, const std::string& templateImage, const fat::Image& image,
                        const CardList& cards, const MediumIdentity& identity, Progress& progress,
                        NetbootOutcome* outcome, Messages* failures) {
  const fat::DosStamp stamp = DosStampNow();
  const std::uint64_t count = static_cast<std::uint64_t>(cards.Count());
  std::uint64_t done = 0;
  ReplacingFolder replacing(folder, "网络启动目录");
  if (!replacing.Create(failures)) return;
  MenuEntries entries;
  for (const CardEntry& card : cards) {
    if (!progress.Step("正在创建" + card.cardName + "的启动镜像", done++, count)) return;
    fat::Image cardImage = image;
    ImageRefusal refusal;
    if (!SetUpCardImage(templateImage, card, identity, stamp, &cardImage, &refusal)) {
      outcome->skipped.push_back({card, refusal.reason});
      continue;
    }
    outcome->built.push_back({card.rowIndex, card.cardName, cp936::FileNameOf(card.driverPath),
                              cardImage.HasPartitionTable(), PciIdsOfCard(card.driverPath)});
    const std::string path = replacing.path() + entries.Add(outcome->built.back()).imageName;
    if (!port::WriteFile(path, cardImage.bytes())) {
      failures->push_back("无法写入" + path + "：" + port::LastErrorText() + "，网络启动目录没有创建！");
      return;
    }
  }
  if (entries.size() == 0) return;
  outcome->entries = entries.Entries();
  UniversalEntry all;
  all.hardDisk = image.HasPartitionTable();
  std::string allImage;
  outcome->universalProblem = UniversalImageOf(image, cards, identity, stamp, progress, &allImage);
  if (outcome->universalProblem.empty()) {
    if (!port::WriteFile(replacing.path() + all.imageName, allImage)) {
      failures->push_back("无法写入" + replacing.path() + all.imageName + "：" + port::LastErrorText() +
                          "，网络启动目录没有创建！");
      return;
    }
  }
  const UniversalEntry* withAll = outcome->universalProblem.empty() ? &all : nullptr;
  for (const auto& menu : {std::make_pair("menu.cfg", PxeLinuxMenu(outcome->entries, withAll)),
                           std::make_pair("menu.ipxe", IpxeMenu(outcome->entries, withAll))}) {
    if (!port::WriteFile(replacing.path() + menu.first, menu.second)) {
      failures->push_back("无法写入" + replacing.path() + menu.first + "：" + port::LastErrorText() +
                          "，网络启动目录没有创建！");
      return;
    }
  }
  if (!progress.Step("正在用新的网络启动目录替换" + folder, count, count)) return;
  outcome->complete = replacing.Replace(failures);
}

std::string SuccessText(const std::string& folder, const NetbootOutcome& outcome, const MediumIdentity& identity) {
  std::size_t chosenById = 0;
  for (const MenuEntry& entry : outcome.entries) chosenById += entry.ids.empty() ? 0 : 1;
  std::string text = "网络启动目录创建成功！\n在" + folder + "中为" + std::to_string(outcome.built.size()) +
                     "块网卡创建了启动镜像，其中" + std::to_string(chosenById) +
                     "块网卡的驱动程序包给出了PCI编号，客户机可按网卡自动启动。";
  if (identity.uniqueName) text += "\n" + UniqueNameNote(identity);
  if (outcome.universalProblem.empty()) {
    text += "\nALL.IMG放了所有网卡，客户机在启动时自动选择自己的网卡（PXELINUX菜单的默认项）。";
  } else {
    text += "\n没有创建放所有网卡的ALL.IMG：" + outcome.universalProblem;
  }
  if (!outcome.skipped.empty()) {
    text += "\n以下" + std::to_string(outcome.skipped.size()) + "块网卡没有创建启动镜像：" + SkippedLines(outcome.skipped);
  }
  return text;
}

}  // namespace

void BuildNetbootFolder(const BuildRequest& request, Progress& progress, NetbootOutcome* outcome) {
  const std::string templateImage = TemplateImageOf(request.programFolder);
  std::string folder;
  if (!OpenBuildOutput(request, "netboot", BuildOutput::kFolder, templateImage, outcome, &folder)) return;
  CancelWatch watch(progress);
  Messages failures;
  ImageRefusal refusal;
  fat::Image image;
  MediumIdentity identity;
  if (watch.Step("正在读取启动镜像模板" + templateImage, 0, 0) && OpenTemplateImage(templateImage, &image, &refusal)) {
    refusal.text = IdentityOfImage(image, request.settings, true, templateImage, &identity);
    if (refusal.text.empty()) {
      WriteNetbootFolder(folder, templateImage, image, request.cards, identity, watch, outcome, &failures);
    }
  }
  if (!outcome->complete && !failures.empty()) failures.back() += "\n" + UnchangedText(folder);
  outcome->FailAll(failures);
  if (watch.cancelled()) {
    outcome->Cancel("创建已取消，" + UnchangedText(folder));
  } else if (!refusal.text.empty()) {
    if (refusal.fileWork) {
      outcome->Fail(refusal.text);
    } else {
      outcome->Refuse(refusal.text);
    }
  } else if (outcome->complete) {
    outcome->Succeed(SuccessText(folder, *outcome, identity));
  } else if (failures.empty()) {
    outcome->Refuse("没有为任何网卡创建启动镜像，网络启动目录没有创建：" + SkippedLines(outcome->skipped));
  }
}
