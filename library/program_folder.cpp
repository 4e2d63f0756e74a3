#include "library/program_folder.h"

#include "text/cp936_path.h"
#include "text/path_form.h"

std::string ProgramFolderFromModulePath(const std::string& modulePath) { return cp936::FolderOf(modulePath); }

std::string LibraryFolderOf(const std::string& programFolder) {
  return pathform::WithBackslash(pathform::JoinPath(programFolder, "driver"));
}

std::string TemplateFolderOf(const std::string& programFolder) {
  return pathform::WithBackslash(pathform::JoinPath(programFolder, "BootDisk"));
}

std::string TemplateImageOf(const std::string& programFolder) {
  return pathform::JoinPath(programFolder, "BootDisk.img");
}

std::string CardIniOf(const std::string& driverPath) {
  return cp936::FolderWithBackslashOf(driverPath) + cp936::BaseNameOf(driverPath) + ".INI";
}
