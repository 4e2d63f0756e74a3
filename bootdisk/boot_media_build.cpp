#include "bootdisk/boot_media_build.h"

#include "bootdisk/build_target.h"
#include "bootdisk/rewrite_boot_config.h"
#include "bootdisk/selected_card.h"
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
  const char* progressTitle;
};

const BootMediaBuild kNetDirBuild = {"NET", "NET\\", "", "NET目录创建成功！", "正在创建NET目录"};
const BootMediaBuild kUsbDiskBuild = {"BootDisk", "", "NET\\", "U盘目录创建成功！", "正在创建U盘目录"};

// "" when the template's SYSTEM.INI and PROTOCOL.INI hold the lines the
// client reads; otherwise why the build is refused before anything is
// written.
std::string CheckTemplateConfig(const std::string& templateNet) {
  for (BootConfigFile file : {BootConfigFile::kSystemIni, BootConfigFile::kProtocolIni}) {
    const std::string path = templateNet + BootConfigFileName(file);
    std::string bytes;
    if (!port::ReadFile(path, &bytes)) {
      return "无法读取启动盘模板中的" + path + "（" + port::LastErrorText() + "），启动盘没有创建！";
    }
    const std::string problem = TemplateConfigProblem(file, bytes);
    if (!problem.empty()) return "启动盘模板中的" + path + problem + "，启动盘没有创建！";
  }
  return std::string();
}

// Copies the card's driver into the NET folder and rewrites the two INI
// files for it; false once the failure has been reported.
bool SetUpCard(const NicEntry& card, const MediaCard& media, const std::string& netFolder, Messages* messages) {
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
// build that fails or is cancelled after making its build folder removes it
// again.
bool BuildMediaFolder(const BootMediaBuild& build, const std::string& buildFolder, const std::string& templateSource,
                      const NicEntry& card, const MediaCard& media, const std::string& programFolder,
                      Progress& progress, Messages* messages) {
  if (!progress.Step("正在删除旧的" + pathform::WithoutBackslash(buildFolder), 0, 0) ||
      !ReplaceBuildFolder(buildFolder, "启动盘", messages)) {
    return false;
  }
  // Half-built media would look complete: whatever ends the build early,
  // a failure, Cancel or an exception, removes the folder again.
  BuildFolderGuard guard(buildFolder, messages);
  if (CopyTree(templateSource, buildFolder, messages, {LibraryFolderOf(programFolder)}, &progress) &&
      progress.Step("正在为" + card.cardName + "设置NET目录", 1, 1) &&
      SetUpCard(card, media, buildFolder + build.netFolderInBuild, messages)) {
    guard.Keep();
    return true;
  }
  return false;
}

void RunBuild(const BootMediaBuild& build, MainView& view, const NicList& nicList,
              const std::string& programFolder) {
  const std::string templateSource = TemplateFolderOf(programFolder) + build.templatePart;
  std::string buildFolder;
  if (!AskBuildOutput(view, build.buildFolderName, BuildOutput::kFolder, templateSource, programFolder,
                      &buildFolder)) {
    return;
  }
  const NicEntry* card = SelectedCardForBuild(view, nicList);
  if (card == nullptr) return;
  std::string refusal;
  Messages messages;
  bool built = false;
  std::string failure;
  const bool finished = view.RunLongWork(build.progressTitle, [&](Progress& progress) {
    // The device name's search reads the card's package, which may be
    // big: here, off the window's thread, the window stays live.
    MediaCard media;
    refusal = MediaCardOf(*card, &media);
    if (refusal.empty()) refusal = CheckTemplateConfig(TemplateFolderOf(programFolder) + "NET\\");
    if (!refusal.empty()) return;
    built = BuildMediaFolder(build, pathform::WithBackslash(buildFolder), templateSource, *card, media, programFolder,
                             progress, &messages);
  }, &failure);
  view.ShowAppMessages(messages);
  if (!failure.empty()) {
    view.ShowAppMessage(FailedText(failure, buildFolder));
    view.FocusList();
    return;
  }
  if (!finished) {
    view.ShowMessage(CancelledText(buildFolder), "创建取消");
    view.FocusList();
    return;
  }
  if (!refusal.empty()) {
    view.ShowMessage(refusal, "创建错误");
    view.FocusList();
    return;
  }
  if (!built) return;
  view.ShowMessage(build.successText, "创建成功");
  view.FocusList();
}

}  // namespace

void CreateNetDir(MainView& view, const NicList& nicList, const std::string& programFolder) {
  RunBuild(kNetDirBuild, view, nicList, programFolder);
}

void CreateUsbDisk(MainView& view, const NicList& nicList, const std::string& programFolder) {
  RunBuild(kUsbDiskBuild, view, nicList, programFolder);
}
