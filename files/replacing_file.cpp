#include "files/replacing_file.h"

#include <utility>

#include "port/file_system.h"

std::string UnusedNameBeside(const std::string& path) {
  std::string name = path + ".tmp";
  for (int n = 1; port::GetAttributes(name) != port::kInvalidAttributes; ++n) {
    name = path + "." + std::to_string(n) + ".tmp";
  }
  return name;
}

ReplacingFile::ReplacingFile(std::string target) : target_(std::move(target)) {
  temporaryPath_ = UnusedNameBeside(target_);
}

ReplacingFile::ReplacingFile(std::string target, std::string temporaryPath)
    : target_(std::move(target)), temporaryPath_(std::move(temporaryPath)) {}

ReplacingFile::~ReplacingFile() {
  if (written_ && !replaced_) port::RemoveFile(temporaryPath_);
}

bool ReplacingFile::Write(const std::string& bytes) {
  const bool existed = port::GetAttributes(temporaryPath_) != port::kInvalidAttributes;
  const bool ok = port::WriteFile(temporaryPath_, bytes);
  // A write that failed half-way may have left a file of ours; one that
  // could not even open what was there has nothing of ours to remove.
  written_ = written_ || ok || (!existed && port::GetAttributes(temporaryPath_) != port::kInvalidAttributes);
  return ok;
}

bool ReplacingFile::Replace() {
  replaced_ = written_ && port::ReplaceEntry(temporaryPath_, target_);
  return replaced_;
}
