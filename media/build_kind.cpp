#include "media/build_kind.h"

#include "bootdisk/boot_image_build.h"
#include "bootdisk/boot_media_build.h"
#include "bootdisk/build_target.h"
#include "netboot/netboot_build.h"

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
      break;
  }
  return {"正在创建网络启动目录", "网络启动目录", "netboot", true};
}

}  // namespace

std::string ProgressTitleOf(BuildKind kind) { return InfoOf(kind).progressTitle; }

std::string BuildOutputPathOf(BuildKind kind, const std::string& targetPath) {
  return BuildOutputOf(targetPath, InfoOf(kind).outputName);
}

std::string RefusalBeforeTarget(BuildKind kind, const CardList& cards) {
  return kind == BuildKind::kNetboot && cards.IsEmpty() ? kEmptyLibraryForNetboot : std::string();
}

void RunBuild(BuildKind kind, const BuildRequest& request, Progress& progress, Outcome* outcome) {
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
  }
}

void NoteFailedBuild(BuildKind kind, const BuildRequest& request, const std::string& failure, Outcome* outcome) {
  const KindInfo info = InfoOf(kind);
  outcome->Fail(FailedText(failure, info.what, BuildOutputPathOf(kind, request.targetPath),
                           info.replacesWhenComplete));
}
