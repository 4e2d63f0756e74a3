#include "bootdisk/build_target_check.h"

#include "library/path_location.h"
#include "library/program_folder.h"

namespace {

struct ProtectedFolder {
  std::string path;
  const char* what;
  bool buildMayLieInside;  // a build inside it changes nothing of it
};

}  // namespace

std::string CheckBuildTarget(const std::string& buildFolder, const std::string& templateSource,
                             const std::string& programFolder) {
  const ProtectedFolder folders[] = {
      {templateSource, "启动盘模板", false},
      {TemplateFolderOf(programFolder), "启动盘模板", false},
      {LibraryFolderOf(programFolder), "网卡驱动库", false},
      {programFolder, "程序所在的文件夹", true},
  };
  for (const ProtectedFolder& folder : folders) {
    if (!folder.buildMayLieInside && IsSameOrInside(buildFolder, folder.path)) {
      return "目标文件夹" + ShownPath(buildFolder) + "就是" + folder.what + ShownPath(folder.path) +
             "或在它里面，创建会改动或删除" + folder.what + "。请选择其他路径！";
    }
    if (IsSameOrInside(folder.path, buildFolder)) {
      return "目标文件夹" + ShownPath(buildFolder) + "包含" + folder.what + ShownPath(folder.path) +
             "，创建会把它删除。请选择其他路径！";
    }
  }
  return std::string();
}
