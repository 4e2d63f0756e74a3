#include "bootdisk/boot_media_build.h"

#include "bootdisk/build_target.h"
#include "bootdisk/media_card.h"
#include "bootdisk/rewrite_boot_config.h"
#include "files/clear_read_only.h"
#include "files/copy_tree.h"
#include "library/program_folder.h"
#include "port/file_system.h"
#include "text/path_form.h"

namespace {

// What tells one build from the other.
struct BootMediaBuild {
  const char* buildFolderName;   // below the target path
  const char* templatePart;      // below the template folder, "" for all of it
  const char* netFolderInBuild;  // the NET folder below the build folder
  const char* successText;
};

const BootMediaBuild kNetDirBuild = {"NET", "NET\\", "", "NET目录创建成功！"};
const BootMediaBuild kUsbDiskBuild = {"BootDisk", "", "NET\\", "U盘目录创建成功！"};

// Copies the card's driver into the NET folder and rewrites the two INI
// files for it; false once the failure has been reported.
bool SetUpCard(const CardEntry& card, const MediaCard& media, const std::string& netFolder, Messages* messages) {
  // A driver file of that name that the template brought read-only (from
  // read-only media) is the build's own copy, replaced like the INI files.
  const std::string driverCopy = netFolder + media.driverFileName;
  ClearReadOnly(driverCopy);
  if (!port::CopyOneFile(card.driverPath, driverCopy)) {
    messages->push_back("网卡驱动程序" + card.driverPath + "无法复制到" + netFolder + "，启动盘没有创建完成！");
    return false;
  }
  return RewriteBootConfig(netFolder, media, messages);
}

// Replaces `buildFolder` (with a trailing backslash) with an empty one,
// fills it from `templateSource` and sets its NET folder up for `card`. A
// build that fails, is cancelled or is ended by an exception after making
// its build folder removes it again.
bool BuildMediaFolder(const BootMediaBuild& build, const std::string& buildFolder, const std::string& templateSource,
                      const CardEntry& card, const MediaCard& media, const std::string& programFolder,
                      Progress& progress, Outcome* outcome) {
  Messages messages;
  if (!progress.Step("正在删除旧的" + pathform::WithoutBackslash(buildFolder), 0, 0)) return false;
  const bool replaced = ReplaceBuildFolder(buildFolder, "启动盘", &messages);
  outcome->FailAll(messages);
  if (!replaced) return false;
  // Half-built media would look complete: whatever ends the build early,
  // a failure, Cancel or an exception, removes the folder again.
  BuildFolderGuard guard(buildFolder, outcome);
  messages.clear();
  const bool built = CopyTree(templateSource, buildFolder, &messages, {LibraryFolderOf(programFolder)}, &progress) &&
                     progress.Step("正在为" + card.cardName + "设置NET目录", 1, 1) &&
                     SetUpCard(card, media, buildFolder + build.netFolderInBuild, &messages);
  outcome->FailAll(messages);
  if (built) guard.Keep();
  return built;
}

void RunBuild(const BootMediaBuild& build, const BuildRequest& request, Progress& progress, Outcome* outcome) {
  const std::string templateSource = TemplateFolderOf(request.programFolder) + build.templatePart;
  const std::string buildFolder = BuildOutputOf(request.targetPath, build.buildFolderName);
  const std::string targetRefusal =
      CheckBuildOutput(buildFolder, BuildOutput::kFolder, templateSource, request.programFolder);
  if (!targetRefusal.empty()) {
    outcome->Refuse(targetRefusal);
    return;
  }
  if (!request.card) {
    outcome->Fail(kNoCardForBuild);
    return;
  }
  MediaCard media;
  std::string refusal = MediaCardOf(*request.card, &media);
  if (refusal.empty()) refusal = CheckTemplateConfig(TemplateFolderOf(request.programFolder) + "NET\\");
  if (!refusal.empty()) {
    outcome->Refuse(refusal);
    return;
  }
  CancelWatch watch(progress);
  if (BuildMediaFolder(build, pathform::WithBackslash(buildFolder), templateSource, *request.card, media,
                       request.programFolder, watch, outcome)) {
    outcome->Succeed(build.successText);
  } else if (watch.cancelled()) {
    outcome->Cancel(CancelledText(buildFolder));
  }
}

}  // namespace

void BuildNetFolder(const BuildRequest& request, Progress& progress, Outcome* outcome) {
  RunBuild(kNetDirBuild, request, progress, outcome);
}

void BuildUsbFolder(const BuildRequest& request, Progress& progress, Outcome* outcome) {
  RunBuild(kUsbDiskBuild, request, progress, outcome);
}
