#include "bootdisk/card_image.h"

#include <ctime>
#include <vector>

#include "bootdisk/autoexec_line.h"
#include "bootdisk/boot_program_files.h"
#include "bootdisk/media_card.h"
#include "port/file_system.h"
#include "text/cp936_path.h"

namespace {

const char kNotCreated[] = "，启动镜像没有创建！";

ImageRefusal Refusal(std::string text, std::string reason, bool fileWork = false) {
  return ImageRefusal{std::move(text), fileWork, std::move(reason)};
}

// What is wrong with the template's NET folder whatever the card, as the
// rest of a sentence whose subject is the template image; "" when nothing.
std::string NetFolderProblem(const fat::Image& image) {
  if (image.Find("NET") != fat::Image::Entry::kFolder) return "中没有NET文件夹";
  for (BootConfigFile file : {BootConfigFile::kSystemIni, BootConfigFile::kProtocolIni}) {
    const std::string name = BootConfigFileName(file);
    std::string content;
    if (image.Find("NET\\" + name) == fat::Image::Entry::kFolder) return "的NET文件夹中的" + name + "是文件夹，不是文件";
    if (!image.ReadFile("NET\\" + name, &content)) return "的NET文件夹中没有" + name;
    const std::string problem = TemplateConfigProblem(file, content);
    if (!problem.empty()) return "的NET\\" + name + problem;
  }
  return std::string();
}

}  // namespace

fat::DosStamp DosStampNow() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (local == nullptr) return fat::MakeDosStamp(1980, 1, 1, 0, 0, 0);
  return fat::MakeDosStamp(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour, local->tm_min,
                           local->tm_sec);
}

bool OpenTemplateImage(const std::string& templateImage, fat::Image* image, ImageRefusal* refusal) {
  std::uint64_t size = 0;
  if (!port::GetFileSize(templateImage, &size)) {
    *refusal = Refusal("程序所在的文件夹中没有启动镜像模板" + templateImage +
                           "！请把网络启动软盘的镜像文件以BootDisk.img为名放在程序旁边。",
                       "没有启动镜像模板");
    return false;
  }
  if (size > fat::Image::kMaxImageBytes) {
    *refusal = Refusal("启动镜像模板" + templateImage + "有" + std::to_string((size + 1024 * 1024 - 1) / (1024 * 1024)) +
                           "MB，不是软盘或32MB以内的小硬盘镜像" + kNotCreated,
                       "启动镜像模板太大");
    return false;
  }
  std::string bytes;
  if (!port::ReadFile(templateImage, &bytes)) {
    *refusal = Refusal("无法读取启动镜像模板" + templateImage + kNotCreated, "无法读取启动镜像模板", true);
    return false;
  }
  std::string problem;
  if (!image->Open(std::move(bytes), &problem)) {
    *refusal = Refusal("启动镜像模板" + templateImage + "不是本程序能读的FAT12/FAT16磁盘镜像：" + problem +
                           "。启动镜像没有创建！",
                       problem);
    return false;
  }
  problem = NetFolderProblem(*image);
  if (!problem.empty()) {
    *refusal = Refusal("启动镜像模板" + templateImage + problem + kNotCreated, "启动镜像模板" + problem);
    return false;
  }
  return true;
}

bool SetUpCardImage(const std::string& templateImage, const CardEntry& card, const MediumIdentity& identity,
                    fat::DosStamp stamp, fat::Image* image, ImageRefusal* refusal) {
  MediaCard media;
  std::string reason;
  const std::string cardRefusal = MediaCardOf(card, &media, &reason);
  if (!cardRefusal.empty()) {
    *refusal = Refusal(cardRefusal, reason);
    return false;
  }
  media.identity = identity.settings;
  std::string driver;
  if (!port::ReadFile(card.driverPath, &driver)) {
    *refusal = Refusal("网卡驱动程序" + card.driverPath + "无法读取" + kNotCreated, "驱动程序文件无法读取（可能已被删除）",
                       true);
    return false;
  }
  std::string problem = SetUpBootImage(image, media, driver, stamp, &reason);
  if (problem.empty() && identity.uniqueName) problem = AddNameOnlyBootProgram(image, identity.nameBase, stamp);
  if (!problem.empty()) {
    *refusal = Refusal("启动镜像模板" + templateImage + problem, reason.empty() ? problem : reason);
    return false;
  }
  return true;
}

std::string IdentityOfImage(const fat::Image& image, const NetworkSettings& settings, bool manyPcsBoot,
                            const std::string& templateImage, MediumIdentity* identity) {
  std::string systemIni;
  std::string protocolIni;
  image.ReadFile("NET\\SYSTEM.INI", &systemIni);
  image.ReadFile("NET\\PROTOCOL.INI", &protocolIni);
  std::string problem =
      MediumIdentityOf(settings, manyPcsBoot, templateImage + "中的NET\\", systemIni, protocolIni, identity);
  if (!problem.empty()) return problem;
  problem = ImageIdentityProblem(image, *identity);
  return problem.empty() ? problem : "启动镜像模板" + templateImage + problem + kNotCreated;
}

std::string ImageIdentityProblem(const fat::Image& image, const MediumIdentity& identity) {
  if (!identity.uniqueName || image.Find("AUTOEXEC.BAT") == fat::Image::Entry::kFile) return std::string();
  return "中没有AUTOEXEC.BAT，没有程序会在启动时运行给每台电脑取计算机名的TOVRELL.COM（在网络设置中可以不选"
         "“每台电脑使用不同的计算机名”）";
}

std::string AddNameOnlyBootProgram(fat::Image* image, const std::string& nameBase, fat::DosStamp stamp) {
  std::vector<MediumFile> files = NameOnlyBootProgramFiles(nameBase);
  std::string autoexec;
  image->ReadFile("AUTOEXEC.BAT", &autoexec);
  AddBootProgramLine(&autoexec);
  files.push_back({"AUTOEXEC.BAT", autoexec});
  std::string problem;
  for (const MediumFile& file : files) {
    if (!image->WriteFile(file.path, file.content, stamp, &problem)) return "放不下启动程序：" + problem + kNotCreated;
  }
  return std::string();
}

std::string SetUpBootImage(fat::Image* image, const MediaCard& card, const std::string& driver, fat::DosStamp stamp,
                           std::string* reason) {
  std::string unused;
  if (reason == nullptr) reason = &unused;
  *reason = NetFolderProblem(*image);
  if (!reason->empty()) return *reason + kNotCreated;
  // A folder where a file is to be written is no lack of space: said as it is.
  if (image->Find("NET\\" + card.driverFileName) == fat::Image::Entry::kFolder) {
    *reason = "模板的NET文件夹中的" + card.driverFileName + "是文件夹，不是文件";
    return "的NET文件夹中的" + card.driverFileName + "是文件夹，不是文件" + kNotCreated;
  }

  // The driver first, then the two files, as a folder build writes them.
  struct Write {
    std::string name;
    std::string content;
  };
  std::vector<Write> writes = {{card.driverFileName, driver}};
  for (BootConfigFile file : {BootConfigFile::kSystemIni, BootConfigFile::kProtocolIni}) {
    const std::string name = BootConfigFileName(file);
    std::string content;
    image->ReadFile("NET\\" + name, &content);
    if (RewriteBootConfigText(file, card, &content) == BootConfigRewrite::kNoDeviceName) {
      *reason = "驱动程序的文件名" + card.driverFileName + "没有扩展名，无法写出驱动设备名";
      return "的" + name + "有DriverName=行，而网卡驱动程序的文件名" + card.driverFileName +
             "没有扩展名，无法写出驱动设备名" + kNotCreated;
    }
    writes.push_back({name, std::move(content)});
  }
  std::string problem;
  for (const Write& write : writes) {
    if (!image->WriteFile("NET\\" + write.name, write.content, stamp, &problem)) {
      *reason = problem;
      return "放不下新的文件：" + problem + "。启动镜像没有创建！请使用空间更大的镜像模板，或删掉模板中用不到的文件。";
    }
  }
  return std::string();
}
