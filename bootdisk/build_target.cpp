#include "bootdisk/build_target.h"

#include "files/path_location.h"
#include "library/program_folder.h"
#include "port/file_system.h"
#include "text/path_form.h"

namespace {

struct ProtectedPlace {
  std::string path;
  const char* what;
  bool outputMayLieInside;  // a build inside it changes nothing of it
};

}  // namespace

std::string CheckBuildOutput(const std::string& output, BuildOutput kind, const std::string& templateSource,
                             const std::string& programFolder) {
  const ProtectedPlace places[] = {
      {templateSource, kind == BuildOutput::kFolder ? "启动盘模板" : "启动镜像模板", false},
      {TemplateFolderOf(programFolder), "启动盘模板", false},
      {TemplateImageOf(programFolder), "启动镜像模板", false},
      {LibraryFolderOf(programFolder), "网卡驱动库", false},
      {programFolder, "程序所在的文件夹", true},
  };
  const std::string shownOutput = (kind == BuildOutput::kFolder ? "目标文件夹" : "目标文件") + ShownPath(output);
  for (const ProtectedPlace& place : places) {
    if (!place.outputMayLieInside && IsSameOrInside(output, place.path)) {
      return shownOutput + "就是" + place.what + ShownPath(place.path) + "或在它里面，创建会改动或删除" +
             place.what + "。请选择其他路径！";
    }
    if (IsSameOrInside(place.path, output)) {
      return shownOutput + "包含" + place.what + ShownPath(place.path) + "，创建会把它删除。请选择其他路径！";
    }
  }
  return std::string();
}

bool AskBuildOutput(MainView& view, const std::string& outputName, BuildOutput kind,
                    const std::string& templateSource, const std::string& programFolder, std::string* output) {
  std::string targetPath;
  if (!view.AskTargetPath(&targetPath)) {
    view.FocusList();
    return false;
  }
  *output = port::FullPath(pathform::JoinPath(targetPath, outputName));
  const std::string refusal = CheckBuildOutput(*output, kind, templateSource, programFolder);
  if (refusal.empty()) return true;
  view.ShowMessage(refusal, "创建错误");
  view.FocusList();
  return false;
}
