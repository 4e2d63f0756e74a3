#include "bootdisk/boot_image_build.h"

#include "bootdisk/build_target.h"
#include "bootdisk/card_image.h"
#include "bootdisk/image_output.h"
#include "files/messages.h"
#include "library/program_folder.h"

namespace {

// The image built and written for the card: false when refused (`*refusal`
// set), failed (`*failures` set) or cancelled.
bool BuildImageFile(const std::string& templateImage, const CardEntry& card, const NetworkSettings& settings,
                    const std::string& imagePath, Progress& progress, ImageRefusal* refusal, Messages* failures,
                    MediumIdentity* identity) {
  if (!progress.Step("正在读取启动镜像模板" + templateImage, 0, 3)) return false;
  fat::Image image;
  if (!OpenTemplateImage(templateImage, &image, refusal)) return false;
  std::string problem = IdentityOfImage(image, settings, false, templateImage, identity);
  if (!problem.empty()) {
    refusal->text = problem;
    return false;
  }
  if (!progress.Step("正在为" + card.cardName + "设置启动镜像", 1, 3) ||
      !SetUpCardImage(templateImage, card, *identity, DosStampNow(), &image, refusal)) {
    return false;
  }
  return WriteBuiltImage(imagePath, image.bytes(), "启动镜像", progress, 2, 3, failures);
}

}  // namespace

void BuildBootImage(const BuildRequest& request, Progress& progress, Outcome* outcome) {
  const std::string templateImage = TemplateImageOf(request.programFolder);
  std::string imagePath;
  if (!OpenBuildOutput(request, "BootDisk.img", BuildOutput::kFile, templateImage, outcome, &imagePath)) return;
  if (!request.card) {
    outcome->Fail(kNoCardForBuild);
    return;
  }
  ImageRefusal refusal;
  Messages failures;
  CancelWatch watch(progress);
  MediumIdentity identity;
  const bool built =
      BuildImageFile(templateImage, *request.card, request.settings, imagePath, watch, &refusal, &failures, &identity);
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
  if (built) outcome->Succeed(identity.uniqueName ? "启动镜像创建成功！\n" + UniqueNameNote(identity) : "启动镜像创建成功！");
}
