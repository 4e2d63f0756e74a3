#include "bootdisk/rewrite_boot_config.h"

#include "bootdisk/boot_config_text.h"
#include "bootdisk/clear_read_only.h"
#include "bootdisk/tree_copy.h"
#include "port/file_system.h"
#include "text/path_form.h"

namespace {

// Rewrites the file `file` of `netFolder` (with a trailing backslash) for
// `driverFileName`.
bool RewriteConfigFile(const std::string& netFolder, BootConfigFile file, const std::string& driverFileName,
                       port::MessageBoxes& boxes) {
  const std::string tempPath = netFolder + "TEMP.INI";
  if (!port::WriteFile(tempPath, std::string())) {
    boxes.ShowAppMessage("创建文件失败!");
    return false;
  }
  const std::string path = netFolder + BootConfigFileName(file);
  ClearReadOnly(path);
  std::string bytes;
  if (!port::ReadFile(path, &bytes)) {
    port::RemoveFile(tempPath);
    AbortCopy(netFolder, boxes);
    return false;
  }
  switch (RewriteBootConfigText(file, driverFileName, &bytes)) {
    case BootConfigRewrite::kNoKey:
      port::RemoveFile(tempPath);
      return true;
    case BootConfigRewrite::kNoDeviceName:
      port::RemoveFile(tempPath);
      AbortCopy(netFolder, boxes);
      return false;
    case BootConfigRewrite::kRewritten:
      break;
  }
  if (!port::WriteFile(tempPath, bytes)) {
    AbortCopy(tempPath, boxes);
    return false;
  }
  if (!port::ReplaceEntry(tempPath, path)) {
    port::RemoveFile(tempPath);
    boxes.ShowAppMessage("无法改写文件" + path + "，它保留了原来的内容！");
    return false;
  }
  return true;
}

}  // namespace

bool RewriteBootConfig(const std::string& netFolder, const std::string& driverFileName, port::MessageBoxes& boxes) {
  const std::string folder = pathform::WithBackslash(netFolder);
  return RewriteConfigFile(folder, BootConfigFile::kSystemIni, driverFileName, boxes) &&
         RewriteConfigFile(folder, BootConfigFile::kProtocolIni, driverFileName, boxes);
}
