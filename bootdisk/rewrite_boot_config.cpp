#include "bootdisk/rewrite_boot_config.h"

#include "bootdisk/boot_config_text.h"
#include "files/clear_read_only.h"
#include "files/delete_tree.h"
#include "files/replacing_file.h"
#include "port/file_system.h"
#include "text/path_form.h"

namespace {

// Rewrites the file `file` of `netFolder` (with a trailing backslash) for
// `card`.
bool RewriteConfigFile(const std::string& netFolder, BootConfigFile file, const MediaCard& card, Messages* messages) {
  const std::string path = netFolder + BootConfigFileName(file);
  ReplacingFile replacement(path, netFolder + "TEMP.INI");
  if (!replacement.Write(std::string())) {
    messages->push_back("创建文件失败!");
    return false;
  }
  ClearReadOnly(path);
  std::string bytes;
  if (!port::ReadFile(path, &bytes)) {
    AbortCopy(netFolder, messages, "无法读取" + path + "：" + port::LastErrorText());
    return false;
  }
  switch (RewriteBootConfigText(file, card, &bytes)) {
    case BootConfigRewrite::kNoKey:
      return true;
    case BootConfigRewrite::kNoDeviceName:
      AbortCopy(netFolder, messages);
      return false;
    case BootConfigRewrite::kRewritten:
      break;
  }
  if (!replacement.Write(bytes)) {
    messages->push_back("文件拷贝失败！");
    return false;
  }
  if (!replacement.Replace()) {
    messages->push_back("无法改写文件" + path + "，它保留了原来的内容！");
    return false;
  }
  return true;
}

}  // namespace

bool RewriteBootConfig(const std::string& netFolder, const MediaCard& card, Messages* messages) {
  const std::string folder = pathform::WithBackslash(netFolder);
  return RewriteConfigFile(folder, BootConfigFile::kSystemIni, card, messages) &&
         RewriteConfigFile(folder, BootConfigFile::kProtocolIni, card, messages);
}

std::string CheckTemplateConfig(const std::string& templateNet) {
  for (BootConfigFile file : {BootConfigFile::kSystemIni, BootConfigFile::kProtocolIni}) {
    const std::string path = templateNet + BootConfigFileName(file);
    std::string bytes;
    if (!port::ReadFile(path, &bytes)) {
      return "无法读取启动盘模板中的" + path + "（" + port::LastErrorText() + "），启动盘没有创建！";
    }
    const std::string problem = TemplateConfigProblem(file, bytes);
    if (!problem.empty()) return "启动盘模板中的" + path + problem + "，启动盘没有创建！";
  }
  return std::string();
}

