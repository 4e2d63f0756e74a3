#include "bootdisk/boot_media_build.h"

#include "bootdisk/build_target_check.h"
#include "bootdisk/clear_read_only.h"
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

// Copies the selected card's driver into the NET folder and rewrites the two
// INI files for it; false once the failure has been reported.
bool SetUpCard(const NicEntry* card, const std::string& netFolder, port::MainView& view) {
  if (card == nullptr) return false;  // reported when it was looked for
  // The card of the driver copy is also the card the INI files are
  // rewritten for, so that they always name the driver that is there.
  const std::string driverFileName = cp936::FileNameOf(card->driverPath);
  // A driver file of that name that the template brought read-only (from
  // read-only media) is the build's own copy, replaced like the INI files.
  const std::string driverCopy = netFolder + driverFileName;
  ClearReadOnly(driverCopy);
  if (!port::CopyOneFile(card->driverPath, driverCopy)) {
    view.ShowAppMessage("网卡驱动程序" + card->driverPath + "无法复制到" + netFolder + "，启动盘没有创建完成！");
    return false;
  }
  return RewriteBootConfig(netFolder, driverFileName, view);
}

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
  const std::string buildFolderItself = port::FullPath(pathform::JoinPath(targetPath, build.buildFolderName));
  const std::string buildFolder = pathform::WithBackslash(buildFolderItself);
  const std::string templateSource = TemplateFolderOf(programFolder) + build.templatePart;
  const std::string refusal = CheckBuildTarget(buildFolder, templateSource, programFolder);
  if (!refusal.empty()) {
    view.ShowMessage(refusal, "创建错误");
    view.FocusList();
    return;
  }

  // An old build folder that is a link goes as a link (DeleteTree); should
  // it stay, nothing is written through it.
  DeleteTree(buildFolder, view);
  port::RemoveFolder(buildFolder);
  port::CreateFolder(buildFolder);
  if (port::IsLink(buildFolderItself)) {
    view.ShowAppMessage(buildFolderItself + "是指向其他文件夹的链接，无法删除，为安全起见没有创建启动盘！");
    return;
  }
  // Whatever fails from here on, the build folder goes again: half-built
  // media would look complete and name the template's driver.
  auto removeBuildFolder = [&] {
    DeleteTree(buildFolder, view);
    port::RemoveFolder(buildFolder);
  };
  if (!CopyTree(templateSource, buildFolder, view, {LibraryFolderOf(programFolder)})) {
    removeBuildFolder();
    return;
  }
  view.FocusList();

  if (!SetUpCard(SelectedCardForBuild(view, nicList), buildFolder + build.netFolderInBuild, view)) {
    removeBuildFolder();
    return;
  }
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
