#include "media/build_kind.h"

#include "bootdisk/boot_image_build.h"
#include "bootdisk/boot_media_build.h"
#include "bootdisk/build_target.h"
#include "netboot/netboot_build.h"
#include "settings/settings_file.h"
#include "universal/universal_builds.h"

namespace {

struct KindInfo {
  const char* progressTitle;
  const char* what;        // what it makes, in messages
  const char* outputName;  // below the target
  bool replacesWhenComplete;
};

KindInfo InfoOf(BuildKind kind) {
  switch (kind) {
    case BuildKind::kNet:
      return {"正在创建NET目录", "NET目录", "NET", false};
    case BuildKind::kUsb:
      return {"正在创建U盘目录", "U盘目录", "BootDisk", false};
    case BuildKind::kImage:
      return {"正在创建启动镜像", "启动镜像", "BootDisk.img", true};
    case BuildKind::kNetboot:
      return {"正在创建网络启动目录", "网络启动目录", "netboot", true};
    case BuildKind::kUniversalUsb:
      return {"正在创建通用U盘", "通用启动盘", "BootDisk", true};
    case BuildKind::kUniversalImage:
      break;
  }
  return {"正在创建通用启动镜像", "通用启动镜像", "BootDisk.img", true};
}

}  // namespace

std::string ProgressTitleOf(BuildKind kind) { return InfoOf(kind).progressTitle; }

std::string BuildOutputPathOf(BuildKind kind, const std::string& targetPath) {
  return BuildOutputOf(targetPath, InfoOf(kind).outputName);
}

std::string RefusalBeforeTarget(BuildKind kind, const CardList& cards) {
  if (!cards.IsEmpty()) return std::string();
  if (kind == BuildKind::kNetboot) return kEmptyLibraryForNetboot;
  if (kind == BuildKind::kUniversalUsb || kind == BuildKind::kUniversalImage) return kEmptyLibraryForUniversal;
  return std::string();
}

void RunBuild(BuildKind kind, const BuildRequest& given, Progress& progress, Outcome* outcome) {
  const std::string noCards = RefusalBeforeTarget(kind, given.cards);
  if (!noCards.empty()) {
    outcome->Refuse(noCards);
    return;
  }
  BuildRequest request = given;
  std::string oddValue;
  std::string unreadable = ReadSettingsFile(SettingsFileOf(request.programFolder), &request.settings, &oddValue);
  if (unreadable.empty()) unreadable = oddValue;
  if (!unreadable.empty()) {
    outcome->Refuse(unreadable);
    return;
  }
  switch (kind) {
    case BuildKind::kNet:
      BuildNetFolder(request, progress, outcome);
      return;
    case BuildKind::kUsb:
      BuildUsbFolder(request, progress, outcome);
      return;
    case BuildKind::kImage:
      BuildBootImage(request, progress, outcome);
      return;
    case BuildKind::kNetboot: {
      NetbootOutcome netboot;
      BuildNetbootFolder(request, progress, &netboot);
      *outcome = netboot;
      return;
    }
    case BuildKind::kUniversalUsb:
      BuildUniversalFolder(request, progress, outcome);
      return;
    case BuildKind::kUniversalImage:
      BuildUniversalImage(request, progress, outcome);
      return;
  }
}

void NoteFailedBuild(BuildKind kind, const BuildRequest& request, const std::string& failure, Outcome* outcome) {
  const KindInfo info = InfoOf(kind);
  outcome->Fail(FailedText(failure, info.what, BuildOutputPathOf(kind, request.targetPath),
                           info.replacesWhenComplete));
}
