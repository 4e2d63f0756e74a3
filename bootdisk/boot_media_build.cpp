#include "bootdisk/boot_media_build.h"

#include "bootdisk/autoexec_line.h"
#include "bootdisk/boot_program_files.h"
#include "bootdisk/build_target.h"
#include "bootdisk/media_card.h"
#include "bootdisk/medium_identity.h"
#include "bootdisk/rewrite_boot_config.h"
#include "files/clear_read_only.h"
#include "files/copy_tree.h"
#include "files/folder_walk.h"
#include "library/program_folder.h"
#include "port/file_system.h"
#include "text/cp936_path.h"
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

// Puts the boot program that gives each PC a computer name of its own into
// the build folder `root` (trailing backslash) whose NET folder is
// `root` + `netFolderInBuild`: its files in NET and, where the build holds
// one, its line in AUTOEXEC.BAT. False once the failure has been noted.
bool AddNameOnlyBootProgram(const std::string& root, const std::string& netFolderInBuild, const std::string& nameBase,
                            Messages* messages) {
  std::vector<MediumFile> files = NameOnlyBootProgramFiles(nameBase);
  for (MediumFile& file : files) file.path = netFolderInBuild + cp936::FileNameOf(file.path);
  const std::string autoexec = FileNamedIn(root, "AUTOEXEC.BAT");
  std::string bytes;
  if (!autoexec.empty() && port::ReadFile(autoexec, &bytes)) {
    AddBootProgramLine(&bytes);
    files.push_back({cp936::FileNameOf(autoexec), bytes});
  }
  for (const MediumFile& file : files) {
    ClearReadOnly(root + file.path);
    if (!port::WriteFile(root + file.path, file.content)) {
      messages->push_back("无法写入" + root + file.path + "：" + port::LastErrorText() + "，启动盘没有创建完成！");
      return false;
    }
  }
  return true;
}

// Replaces `buildFolder` (with a trailing backslash) with an empty one,
// fills it from `templateSource` and sets its NET folder up for `card`. A
// build that fails, is cancelled or is ended by an exception after making
// its build folder removes it again.
bool BuildMediaFolder(const BootMediaBuild& build, const std::string& buildFolder, const std::string& templateSource,
                      const CardEntry& card, const MediaCard& media, const MediumIdentity& identity,
                      const std::string& programFolder, Progress& progress, Outcome* outcome) {
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
                     SetUpCard(card, media, buildFolder + build.netFolderInBuild, &messages) &&
                     (!identity.uniqueName ||
                      AddNameOnlyBootProgram(buildFolder, build.netFolderInBuild, identity.nameBase, &messages));
  outcome->FailAll(messages);
  if (built) guard.Keep();
  return built;
}

// The build's identity from the template's NET folder `templateNet`
// (MediumIdentityOf); a USB folder whose PCs each get a name of their own
// needs the template's AUTOEXEC.BAT to run the boot program. "" or the
// refusal.
std::string IdentityOfTemplate(const BootMediaBuild& build, const BuildRequest& request,
                               const std::string& templateNet, MediumIdentity* identity) {
  std::string systemIni;
  std::string protocolIni;
  port::ReadFile(templateNet + "SYSTEM.INI", &systemIni);
  port::ReadFile(templateNet + "PROTOCOL.INI", &protocolIni);
  const std::string refusal = MediumIdentityOf(request.settings, false, templateNet, systemIni, protocolIni, identity);
  if (!refusal.empty() || !identity->uniqueName || *build.netFolderInBuild == '\0') return refusal;
  const std::string templateFolder = TemplateFolderOf(request.programFolder);
  if (!FileNamedIn(templateFolder, "AUTOEXEC.BAT").empty()) return std::string();
  return "启动盘模板" + templateFolder +
         "中没有AUTOEXEC.BAT，没有程序会在启动时运行给每台电脑取计算机名的TOVRELL.COM（在网络设置中可以不选"
         "“每台电脑使用不同的计算机名”），启动盘没有创建！";
}

void RunBuild(const BootMediaBuild& build, const BuildRequest& request, Progress& progress, Outcome* outcome) {
  const std::string templateSource = TemplateFolderOf(request.programFolder) + build.templatePart;
  std::string buildFolder;
  if (!OpenBuildOutput(request, build.buildFolderName, BuildOutput::kFolder, templateSource, outcome, &buildFolder)) {
    return;
  }
  if (!request.card) {
    outcome->Fail(kNoCardForBuild);
    return;
  }
  MediaCard media;
  const std::string templateNet = TemplateFolderOf(request.programFolder) + "NET\\";
  std::string refusal = MediaCardOf(*request.card, &media);
  if (refusal.empty()) refusal = CheckTemplateConfig(templateNet);
  MediumIdentity identity;
  if (refusal.empty()) refusal = IdentityOfTemplate(build, request, templateNet, &identity);
  if (!refusal.empty()) {
    outcome->Refuse(refusal);
    return;
  }
  media.identity = identity.settings;
  CancelWatch watch(progress);
  if (BuildMediaFolder(build, pathform::WithBackslash(buildFolder), templateSource, *request.card, media, identity,
                       request.programFolder, watch, outcome)) {
    std::string text = build.successText;
    if (identity.uniqueName) text += "\n" + UniqueNameNote(identity);
    // A NET folder goes onto a boot disk whose AUTOEXEC.BAT is the user's.
    if (identity.uniqueName && *build.netFolderInBuild == '\0') {
      text += "\n请在启动盘的AUTOEXEC.BAT中启动网络客户端之前加上一行" + std::string(kBootProgramLine) + "。";
    }
    outcome->Succeed(text);
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
