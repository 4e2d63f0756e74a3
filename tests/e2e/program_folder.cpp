#include "program_folder.h"

#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "port/file_system.h"
#include "text/cp936_path.h"
#include "text/path_form.h"

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') throw std::runtime_error(std::string(name) + " is not set");
  return cp936::ReplaceSeparators(value, '/', '\\');
}

}  // namespace

ProgramFolder::ProgramFolder() : temp_(std::make_unique<TempFolder>()), path_(temp_->path()) {
  if (!port::CopyOneFile(Environment("TOVRELL_EXE"), exe())) throw std::runtime_error("cannot copy Tovrell.exe");
}

ProgramFolder::ProgramFolder(const std::string& folder) : path_(folder) {
  if (!pathform::IsBareDrive(folder)) MakeTestFolders(folder);
  if (!port::CopyOneFile(Environment("TOVRELL_EXE"), exe())) throw std::runtime_error("cannot copy Tovrell.exe");
}

std::string ProgramFolder::operator/(const std::string& relative) const { return pathform::JoinPath(path_, relative); }

std::string ProgramFolder::SampleFolder() { return Environment("TOVRELL_SAMPLE"); }

std::string ProgramFolder::SampleImage() { return Environment("TOVRELL_SAMPLE_IMAGE"); }

std::string ProgramFolder::SearchTree() { return port::FullPath(Environment("TOVRELL_SEARCH_TREE")); }

std::string ProgramFolder::LargeTemplatePart() { return port::FullPath(Environment("TOVRELL_COPY_TREE")); }

void ProgramFolder::AddSamples() {
  CopyTestTree(SampleFolder() + "\\driver", library());
  CopyTestTree(SampleFolder() + "\\BootDisk", bootDisk());
}
