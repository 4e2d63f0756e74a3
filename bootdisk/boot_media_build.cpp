#include "bootdisk/boot_media_build.h"

#include "bootdisk/build_target_check.h"
#include "bootdisk/rewrite_boot_config.h"
#include "bootdisk/selected_card.h"
#include "bootdisk/tree_copy.h"
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

void RunBuild(const BootMediaBuild& build, port::MainView& view, const NicList& nicList,
              const std::string& programFolder) {
  std::string targetPath;
  if (!view.AskTargetPath(&targetPath)) {
    view.FocusList();
    return;
  }
  // The target is taken exactly as typed (a relative one from the current
  // folder, "T:" as the root of T); from here on the build folder is a full
  // path, so every message names it as the user finds it.
  const std::string buildFolder =
      pathform::WithBackslash(port::FullPath(pathform::JoinPath(targetPath, build.buildFolderName)));
  const std::string templateSource = TemplateFolderOf(programFolder) + build.templatePart;
  const std::string refusal = CheckBuildTarget(buildFolder, templateSource, programFolder);
  if (!refusal.empty()) {
    view.ShowMessage(refusal, "创建错误");
    view.FocusList();
    return;
  }

  DeleteTree(buildFolder, view);
  port::RemoveFolder(buildFolder);
  port::CreateFolder(buildFolder);
  if (!CopyTree(templateSource, buildFolder, view)) return;
  view.FocusList();

  // The card of the driver copy is also the card the INI files are
  // rewritten for, so that they always name the driver that is there.
  const std::string netFolder = buildFolder + build.netFolderInBuild;
  const NicEntry* card = SelectedCardForBuild(view, nicList);
  if (card == nullptr) return;
  const std::string driverFileName = cp936::FileNameOf(card->driverPath);
  if (!port::CopyOneFile(card->driverPath, netFolder + driverFileName)) {
    view.ShowAppMessage("网卡驱动程序" + card->driverPath + "无法复制到" + netFolder + "，启动盘没有创建完成！");
    return;
  }
  if (!RewriteBootConfig(netFolder, driverFileName, view)) return;
  view.ShowMessage(build.successText, "创建成功");
  view.FocusList();
}

}  // namespace

void CreateNetDir(port::MainView& view, const NicList& nicList, const std::string& programFolder) {
  RunBuild(kNetDirBuild, view, nicList, programFolder);
}

void CreateUsbDisk(port::MainView& view, const NicList& nicList, const std::string& programFolder) {
  RunBuild(kUsbDiskBuild, view, nicList, programFolder);
}
