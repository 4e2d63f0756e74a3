#include "bootdisk/boot_image_build.h"

#include <ctime>

#include "bootdisk/boot_config_text.h"
#include "bootdisk/build_target.h"
#include "bootdisk/selected_card.h"
#include "fat/dos_name.h"
#include "fat/image.h"
#include "files/path_location.h"
#include "files/replacing_file.h"
#include "library/program_folder.h"
#include "port/file_system.h"
#include "text/cp936_path.h"

namespace {

constexpr char kRefusalCaption[] = "创建错误";

// The entries written get the time of the build, as DOS gives a file it
// writes.
fat::DosStamp Now() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (local == nullptr) return fat::MakeDosStamp(1980, 1, 1, 0, 0, 0);
  return fat::MakeDosStamp(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour, local->tm_min,
                           local->tm_sec);
}

// The template set up for the card in memory; false when refused, after
// telling the user.
bool BuildImage(MainView& view, const std::string& templateImage, const NicEntry& card, fat::Image* image) {
  const std::string driverFileName = cp936::FileNameOf(card.driverPath);
  std::string shortName;
  if (!fat::ShortNameOf(driverFileName, &shortName)) {
    view.ShowMessage("网卡驱动程序的文件名" + driverFileName +
                         "不是DOS的8.3文件名（主名最多8个字符，扩展名最多3个字符，不能有空格等字符），"
                         "DOS无法加载它，所以不能放进启动镜像！",
                     kRefusalCaption);
    return false;
  }
  std::uint64_t size = 0;
  if (!port::GetFileSize(templateImage, &size)) {
    view.ShowMessage("程序所在的文件夹中没有启动镜像模板" + templateImage +
                         "！请把网络启动软盘的镜像文件以BootDisk.img为名放在程序旁边。",
                     kRefusalCaption);
    return false;
  }
  if (size > fat::Image::kMaxImageBytes) {
    view.ShowMessage("启动镜像模板" + templateImage + "有" + std::to_string((size + 1024 * 1024 - 1) / (1024 * 1024)) +
                         "MB，不是软盘或32MB以内的小硬盘镜像，启动镜像没有创建！",
                     kRefusalCaption);
    return false;
  }
  std::string bytes;
  if (!port::ReadFile(templateImage, &bytes)) {
    view.ShowAppMessage("无法读取启动镜像模板" + templateImage + "，启动镜像没有创建！");
    return false;
  }
  std::string problem;
  if (!image->Open(std::move(bytes), &problem)) {
    view.ShowMessage("启动镜像模板" + templateImage + "不是本程序能读的FAT12/FAT16磁盘镜像：" + problem +
                         "。启动镜像没有创建！",
                     kRefusalCaption);
    return false;
  }
  MediaCard media;
  const std::string deviceRefusal = MediaCardOf(card, &media);
  if (!deviceRefusal.empty()) {
    view.ShowMessage(deviceRefusal, kRefusalCaption);
    return false;
  }
  std::string driver;
  if (!port::ReadFile(card.driverPath, &driver)) {
    view.ShowAppMessage("网卡驱动程序" + card.driverPath + "无法读取，启动镜像没有创建！");
    return false;
  }
  const std::string refusal = SetUpBootImage(image, media, driver, Now());
  if (!refusal.empty()) {
    view.ShowMessage("启动镜像模板" + templateImage + refusal, kRefusalCaption);
    return false;
  }
  return true;
}

}  // namespace

std::string SetUpBootImage(fat::Image* image, const MediaCard& card, const std::string& driver,
                           fat::DosStamp stamp) {
  const std::string& driverFileName = card.driverFileName;
  if (image->Find("NET") != fat::Image::Entry::kFolder) return "中没有NET文件夹，启动镜像没有创建！";
  // A folder where a file is to be written is no lack of space: said as it is.
  for (const std::string& name : {driverFileName, std::string(BootConfigFileName(BootConfigFile::kSystemIni)),
                                  std::string(BootConfigFileName(BootConfigFile::kProtocolIni))}) {
    if (image->Find("NET\\" + name) == fat::Image::Entry::kFolder) {
      return "的NET文件夹中的" + name + "是文件夹，不是文件，启动镜像没有创建！";
    }
  }

  // The driver first, then the two files, as a folder build writes them.
  struct Write {
    std::string name;
    std::string content;
  };
  std::vector<Write> writes = {{driverFileName, driver}};
  for (BootConfigFile file : {BootConfigFile::kSystemIni, BootConfigFile::kProtocolIni}) {
    const std::string name = BootConfigFileName(file);
    std::string content;
    if (!image->ReadFile("NET\\" + name, &content)) return "的NET文件夹中没有" + name + "，启动镜像没有创建！";
    const std::string problem = TemplateConfigProblem(file, card, content);
    if (!problem.empty()) return "的NET\\" + name + problem + "，启动镜像没有创建！";
    RewriteBootConfigText(file, card, &content);
    writes.push_back({name, std::move(content)});
  }
  std::string problem;
  for (const Write& write : writes) {
    if (!image->WriteFile("NET\\" + write.name, write.content, stamp, &problem)) {
      return "放不下新的文件：" + problem + "。启动镜像没有创建！请使用空间更大的镜像模板，或删掉模板中用不到的文件。";
    }
  }
  return std::string();
}

void CreateBootImage(MainView& view, const NicList& nicList, const std::string& programFolder) {
  const std::string templateImage = TemplateImageOf(programFolder);
  std::string imagePath;
  if (!AskBuildOutput(view, "BootDisk.img", BuildOutput::kFile, templateImage, programFolder, &imagePath)) return;
  const NicEntry* card = SelectedCardForBuild(view, nicList);
  if (card == nullptr) return;

  fat::Image image;
  if (!BuildImage(view, templateImage, *card, &image)) {
    view.FocusList();
    return;
  }

  // Written whole under another name first, so that BootDisk.img is never
  // half written.
  ReplacingFile file(imagePath);
  if (!file.Write(image.bytes())) {
    view.ShowAppMessage("无法在" + ShownPath(cp936::FolderOf(imagePath)) +
                        "中写入启动镜像（文件夹不存在、只读或空间不够），启动镜像没有创建！");
    return;
  }
  if (!file.Replace()) {
    view.ShowAppMessage("无法替换" + imagePath + "（它可能是只读的、是文件夹或正被其他程序使用），原来的文件保持不变！");
    return;
  }
  view.ShowMessage("启动镜像创建成功！", "创建成功");
  view.FocusList();
}
