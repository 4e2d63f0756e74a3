#include "library/program_folder.h"

#include "text/cp936_path.h"

bool ProgramFolderFromModulePath(const std::string& modulePath, std::string* folder) {
  std::string cut = cp936::FolderOf(modulePath);
  if (cut.size() > kMaxProgramFolderLength) return false;
  *folder = std::move(cut);
  return true;
}

std::string LibraryFolderOf(const std::string& programFolder) { return programFolder + "\\driver\\"; }

std::string TemplateFolderOf(const std::string& programFolder) { return programFolder + "\\BootDisk\\"; }

std::string TemplateImageOf(const std::string& programFolder) { return programFolder + "\\BootDisk.img"; }

std::string ProgramFolderTooLongMessage(const std::string& modulePath) {
  return "程序所在文件夹的路径太长（超过 " + std::to_string(kMaxProgramFolderLength) +
         " 个字节），程序无法在其中工作：\n" + cp936::FolderOf(modulePath) +
         "\n请把程序连同 driver 和 BootDisk 文件夹移到路径较短的文件夹中再运行。";
}
