#include "bootdisk/boot_image_build.h"

#include "bootdisk/build_target.h"
#include "bootdisk/card_image.h"
#include "files/messages.h"
#include "files/path_location.h"
#include "files/replacing_file.h"
#include "library/program_folder.h"
#include "port/file_system.h"
#include "text/cp936_path.h"

namespace {

// The image built and written for the card: false when refused (`*refusal`
// set), failed (`*failures` set) or cancelled.
bool BuildImageFile(const std::string& templateImage, const CardEntry& card, const std::string& imagePath,
                    Progress& progress, ImageRefusal* refusal, Messages* failures) {
  if (!progress.Step("正在读取启动镜像模板" + templateImage, 0, 3)) return false;
  fat::Image image;
  if (!OpenTemplateImage(templateImage, &image, refusal)) return false;
  if (!progress.Step("正在为" + card.cardName + "设置启动镜像", 1, 3) ||
      !SetUpCardImage(templateImage, card, DosStampNow(), &image, refusal)) {
    return false;
  }
  // What a link leads to is not the user's target: nothing is written
  // through it, and it is not replaced.
  if (port::IsLink(imagePath)) {
    failures->push_back(imagePath + "是一个链接（指向" + port::ResolvedPath(imagePath) +
                        "），为安全起见没有替换它，也没有通过它写入，启动镜像没有创建！");
    return false;
  }
  // Written whole under another name first, so that BootDisk.img is never
  // half written.
  ReplacingFile file(imagePath);
  if (!progress.Step("正在写入" + imagePath, 2, 3)) return false;
  if (!file.Write(image.bytes())) {
    failures->push_back("无法在" + ShownPath(cp936::FolderOf(imagePath)) +
                        "中写入启动镜像（文件夹不存在、只读或空间不够），启动镜像没有创建！");
    return false;
  }
  if (!progress.Step("正在写入" + imagePath, 3, 3)) return false;
  if (!file.Replace()) {
    failures->push_back("无法替换" + imagePath + "（它可能是只读的、是文件夹或正被其他程序使用），原来的文件保持不变！");
    return false;
  }
  return true;
}

}  // namespace

void BuildBootImage(const BuildRequest& request, Progress& progress, Outcome* outcome) {
  const std::string templateImage = TemplateImageOf(request.programFolder);
  const std::string imagePath = BuildOutputOf(request.targetPath, "BootDisk.img");
  const std::string targetRefusal =
      CheckBuildOutput(imagePath, BuildOutput::kFile, templateImage, request.programFolder);
  if (!targetRefusal.empty()) {
    outcome->Refuse(targetRefusal);
    return;
  }
  if (!request.card) {
    outcome->Fail(kNoCardForBuild);
    return;
  }
  ImageRefusal refusal;
  Messages failures;
  CancelWatch watch(progress);
  const bool built = BuildImageFile(templateImage, *request.card, imagePath, watch, &refusal, &failures);
  if (watch.cancelled()) {
    outcome->Cancel("创建已取消，" + UnchangedText(imagePath));
    return;
  }
  outcome->FailAll(failures);
  if (!refusal.text.empty()) {
    if (refusal.fileWork) {
      outcome->Fail(refusal.text);
    } else {
      outcome->Refuse(refusal.text);
    }
  }
  if (built) outcome->Succeed("启动镜像创建成功！");
}
