#include "bootdisk/build_target.h"

#include "files/delete_tree.h"
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
  // The network boot folder is a folder made from the template image.
  const bool fromImage = IsSameLocation(templateSource, TemplateImageOf(programFolder));
  const ProtectedPlace places[] = {
      {templateSource, fromImage ? "启动镜像模板" : "启动盘模板", false},
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

bool OpenBuildOutput(const BuildRequest& request, const std::string& outputName, BuildOutput kind,
                     const std::string& templateSource, Outcome* outcome, std::string* output) {
  *output = BuildOutputOf(request.targetPath, outputName);
  const std::string refusal = CheckBuildOutput(*output, kind, templateSource, request.programFolder);
  if (refusal.empty()) return true;
  outcome->Refuse(refusal);
  return false;
}

std::string BuildOutputOf(const std::string& targetPath, const std::string& outputName) {
  return port::FullPath(pathform::JoinPath(targetPath, outputName));
}

bool ReplaceBuildFolder(const std::string& buildFolder, const std::string& what, Messages* messages) {
  const std::string folder = pathform::WithBackslash(buildFolder);
  const std::string folderItself = pathform::WithoutBackslash(buildFolder);
  if (!EmptyFolder(folder, messages)) {
    messages->push_back("旧的" + folderItself + "没有能完全删除（见上一条消息），为安全起见" + what +
                        "没有创建，没有复制任何文件。请关闭正在使用其中文件的程序，再创建" + what + "。");
    return false;
  }
  port::RemoveFolder(folder);
  port::CreateFolder(folder);
  if (port::IsLink(folderItself)) {
    messages->push_back(folderItself + "是指向其他文件夹的链接，无法删除，为安全起见没有创建" + what + "！");
    return false;
  }
  return true;
}

void RemoveBuildFolder(const std::string& buildFolder, Messages* messages) {
  const std::string folder = pathform::WithBackslash(buildFolder);
  EmptyFolder(folder, messages);
  port::RemoveFolder(folder);
  if (port::IsFolder(folder) && !port::IsLink(pathform::WithoutBackslash(buildFolder))) {
    messages->push_back("创建了一半的" + pathform::WithoutBackslash(buildFolder) +
                        "没能删除（见上一条消息），它不完整，请删除它，不要使用它！");
  }
}

BuildFolderGuard::~BuildFolderGuard() {
  if (kept_) return;
  // Running while an exception unwinds: nothing may escape from here.
  try {
    Messages messages;
    RemoveBuildFolder(buildFolder_, &messages);
    outcome_->FailAll(messages);
  } catch (...) {
  }
}

std::string FailedText(const std::string& failure, const std::string& what, const std::string& output,
                       bool replacesWhenComplete) {
  const std::string shown = ShownPath(output);
  const bool gone = port::GetAttributes(shown) == port::kInvalidAttributes;
  const std::string left = replacesWhenComplete ? UnchangedText(output)
                           : gone               ? "没有留下创建了一半的" + shown + "。"
                                                : std::string();
  return "创建时出错（" + failure + "），" + what + "没有创建完成。" + left;
}

std::string CancelledText(const std::string& buildFolder) {
  if (port::IsFolder(pathform::WithBackslash(buildFolder)) && !port::IsLink(pathform::WithoutBackslash(buildFolder))) {
    return "创建已取消。";
  }
  return "创建已取消，没有留下创建了一半的" + pathform::WithoutBackslash(buildFolder) + "。";
}

std::string UnchangedText(const std::string& output) {
  const std::string shown = ShownPath(output);
  if (port::GetAttributes(shown) != port::kInvalidAttributes) return "原来的" + shown + "没有改动。";
  return "没有留下创建了一半的" + shown + "。";
}
