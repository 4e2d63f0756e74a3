#include "universal/universal_builds.h"

#include <vector>

#include "bootdisk/build_target.h"
#include "bootdisk/card_image.h"
#include "bootdisk/image_output.h"
#include "bootdisk/rewrite_boot_config.h"
#include "files/clear_read_only.h"
#include "files/copy_tree.h"
#include "files/folder_walk.h"
#include "files/replacing_folder.h"
#include "library/program_folder.h"
#include "port/file_system.h"
#include "text/cp936_path.h"

namespace {

const char kUniversalFolder[] = "通用启动盘";
const char kUniversalImage[] = "通用启动镜像";

// The template folder's files for the medium, or why it cannot take one.
std::string UniversalTemplateOfFolder(const std::string& templateFolder, UniversalTemplate* tmpl) {
  const std::string templateNet = templateFolder + "NET\\";
  std::string problem = CheckTemplateConfig(templateNet);
  if (!problem.empty()) return problem;
  port::ReadFile(templateNet + "SYSTEM.INI", &tmpl->systemIni);
  port::ReadFile(templateNet + "PROTOCOL.INI", &tmpl->protocolIni);
  const std::string autoexec = FileNamedIn(templateFolder, "AUTOEXEC.BAT");
  const bool hasAutoexec = !autoexec.empty() && port::ReadFile(autoexec, &tmpl->autoexec);
  tmpl->autoexecPath = cp936::FileNameOf(autoexec);
  // A DOS medium's names ignore letter case, whatever the file system the
  // template lies on.
  std::vector<std::string> netNames;
  FolderWalk walk;
  walk.folder = templateNet;
  walk.recurse = false;
  Walk(walk, [&](const WalkEntry& entry) {
    netNames.push_back(entry.found.name);
    return WalkStep::kGoOn;
  });
  problem = UniversalTemplateProblem(hasAutoexec, [&](const std::string& name) {
    for (const std::string& held : netNames) {
      if (cp936::EqualIgnoringCase(held, name)) return true;
    }
    return false;
  });
  return problem.empty() ? std::string() : "启动盘模板" + templateFolder + problem + "，通用启动盘没有创建！";
}

// Makes the medium's folders and writes its files into `root` (trailing
// backslash), over the template's copies; false with the failure noted.
bool WriteMediumInto(const std::string& root, const UniversalMedium& medium, Messages* failures) {
  for (const std::string& folder : medium.folders) {
    if (!port::CreateFolder(root + folder) && !port::IsFolder(root + folder)) {
      failures->push_back("无法创建文件夹" + root + folder + "：" + port::LastErrorText() + "，通用启动盘没有创建！");
      return false;
    }
  }
  for (const MediumFile& file : medium.files) {
    // The template's copies of files from read-only media come read-only.
    ClearReadOnly(root + file.path);
    if (!port::WriteFile(root + file.path, file.content)) {
      failures->push_back("无法写入" + root + file.path + "：" + port::LastErrorText() + "，通用启动盘没有创建！");
      return false;
    }
  }
  return true;
}

// The refusal of a medium with no card on it.
std::string NoCardText(const char* what, const UniversalMedium& medium) {
  return std::string("没有一块网卡能放进") + what + "，" + what + "没有创建：" + LeftOutLines(medium.leftOut);
}

std::string KiloBytes(std::uint64_t bytes) { return std::to_string((bytes + 1023) / 1024) + "KB"; }

}  // namespace

void BuildUniversalFolder(const BuildRequest& request, Progress& progress, Outcome* outcome) {
  const std::string templateFolder = TemplateFolderOf(request.programFolder);
  std::string output;
  if (!OpenBuildOutput(request, "BootDisk", BuildOutput::kFolder, templateFolder, outcome, &output)) return;
  UniversalTemplate tmpl;
  std::string refusal = UniversalTemplateOfFolder(templateFolder, &tmpl);
  MediumIdentity identity;
  if (refusal.empty()) {
    refusal = MediumIdentityOf(request.settings, true, templateFolder + "NET\\", tmpl.systemIni, tmpl.protocolIni,
                               &identity);
  }
  if (!refusal.empty()) {
    outcome->Refuse(refusal);
    return;
  }
  CancelWatch watch(progress);
  UniversalMedium medium;
  if (!PlanUniversalMedium(request.cards, tmpl, identity, watch, &medium)) {
    outcome->Cancel("创建已取消，" + UnchangedText(output));
    return;
  }
  if (medium.cards.empty()) {
    outcome->Fail(NoCardText(kUniversalFolder, medium));
    return;
  }
  Messages failures;
  ReplacingFolder replacing(output, kUniversalFolder);
  const bool built = replacing.Create(&failures) &&
                     CopyTree(templateFolder, replacing.path(), &failures, {LibraryFolderOf(request.programFolder)},
                              &watch) &&
                     WriteMediumInto(replacing.path(), medium, &failures) &&
                     watch.Step("正在用新的通用启动盘替换" + output, 1, 1) && replacing.Replace(&failures);
  if (!built) replacing.Discard(&failures);
  if (!built && !failures.empty()) {
    failures.back() += "\n" + UnchangedText(output);
    // The new medium is made beside the old one, which goes only then.
    if (port::IsFolder(output)) failures.back() += "新的通用启动盘先建在旧的旁边，目标盘上要放得下两份。";
  }
  outcome->FailAll(failures);
  if (watch.cancelled()) {
    outcome->Cancel("创建已取消，" + UnchangedText(output));
  } else if (built) {
    outcome->Succeed("通用启动盘创建成功！\n在" + output + "中" + UniversalSummary(medium, identity));
  }
}

std::string UniversalTemplateOfImage(const fat::Image& image, UniversalTemplate* tmpl) {
  image.ReadFile("NET\\SYSTEM.INI", &tmpl->systemIni);
  image.ReadFile("NET\\PROTOCOL.INI", &tmpl->protocolIni);
  tmpl->autoexecPath = "AUTOEXEC.BAT";
  const bool hasAutoexec = image.ReadFile(tmpl->autoexecPath, &tmpl->autoexec);
  return UniversalTemplateProblem(hasAutoexec, [&](const std::string& name) {
    return image.Find("NET\\" + name) != fat::Image::Entry::kMissing;
  });
}

std::string SetUpUniversalImage(const UniversalMedium& medium, fat::DosStamp stamp, fat::Image* image) {
  // The room the medium needs, in whole clusters, against what is free and
  // what the files it replaces free: said before anything is changed.
  const std::uint64_t cluster = image->ClusterBytes();
  const auto clusters = [&](std::uint64_t bytes) { return (bytes + cluster - 1) / cluster; };
  std::uint64_t needed = 0;
  std::uint64_t freed = 0;
  for (const std::string& folder : medium.folders) {
    if (image->Find(folder) == fat::Image::Entry::kMissing) ++needed;
  }
  // The CARDS folder's entries: "." and "..", and one per card; NET's own
  // folder may grow by a cluster for the new entries it gets.
  needed += clusters((2 + medium.cards.size()) * 32) - 1 + 1;
  for (const MediumFile& file : medium.files) {
    needed += clusters(file.content.size());
    std::string old;
    if (image->ReadFile(file.path, &old)) freed += clusters(old.size());
  }
  const std::uint64_t room = std::uint64_t{image->FreeClusters()} + freed;
  if (needed > room) {
    return "放不下所有网卡的驱动程序和设置：需要" + KiloBytes(needed * cluster) + "，只有" + KiloBytes(room * cluster) +
           "空闲。请使用空间更大的镜像模板（如2.88MB的软盘镜像），或删掉用不到的网卡";
  }
  std::string problem;
  for (const std::string& folder : medium.folders) {
    if (!image->CreateFolder(folder, stamp, &problem)) return "：" + problem;
  }
  for (const MediumFile& file : medium.files) {
    if (!image->WriteFile(file.path, file.content, stamp, &problem)) return "：" + problem;
  }
  return std::string();
}

void BuildUniversalImage(const BuildRequest& request, Progress& progress, Outcome* outcome) {
  const std::string templateImage = TemplateImageOf(request.programFolder);
  std::string imagePath;
  if (!OpenBuildOutput(request, "BootDisk.img", BuildOutput::kFile, templateImage, outcome, &imagePath)) return;
  CancelWatch watch(progress);
  const auto cancelled = [&] { outcome->Cancel("创建已取消，" + UnchangedText(imagePath)); };
  if (!watch.Step("正在读取启动镜像模板" + templateImage, 0, 0)) return cancelled();
  fat::Image image;
  ImageRefusal imageRefusal;
  if (!OpenTemplateImage(templateImage, &image, &imageRefusal)) {
    if (imageRefusal.fileWork) {
      outcome->Fail(imageRefusal.text);
    } else {
      outcome->Refuse(imageRefusal.text);
    }
    return;
  }
  UniversalTemplate tmpl;
  std::string problem = UniversalTemplateOfImage(image, &tmpl);
  if (!problem.empty()) {
    outcome->Refuse("启动镜像模板" + templateImage + problem + "，通用启动镜像没有创建！");
    return;
  }
  MediumIdentity identity;
  problem = MediumIdentityOf(request.settings, true, templateImage + "中的NET\\", tmpl.systemIni, tmpl.protocolIni,
                             &identity);
  if (!problem.empty()) {
    outcome->Refuse(problem);
    return;
  }
  UniversalMedium medium;
  if (!PlanUniversalMedium(request.cards, tmpl, identity, watch, &medium)) return cancelled();
  if (medium.cards.empty()) {
    outcome->Fail(NoCardText(kUniversalImage, medium));
    return;
  }
  problem = SetUpUniversalImage(medium, DosStampNow(), &image);
  if (!problem.empty()) {
    outcome->Refuse("启动镜像模板" + templateImage + problem + "。通用启动镜像没有创建！");
    return;
  }
  Messages failures;
  const bool written = WriteBuiltImage(imagePath, image.bytes(), kUniversalImage, watch, 0, 2, &failures);
  outcome->FailAll(failures);
  if (watch.cancelled()) return cancelled();
  if (written) outcome->Succeed("通用启动镜像创建成功！\n在" + imagePath + "中" + UniversalSummary(medium, identity));
}
