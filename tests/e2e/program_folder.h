// A program folder laid out for one end-to-end test: a copy of Tovrell.exe
// and, when asked for, the sample driver library and boot disk template.
#pragma once

#include <memory>
#include <string>

#include "app_driver.h"
#include "support/temp_folder.h"

class ProgramFolder {
 public:
  // A fresh temporary folder, removed with everything in it at the end.
  ProgramFolder();
  // `folder` (made if missing), left in place at the end: a folder deep in
  // another, or a drive given bare ("R:"), the program then lying in its
  // root as R:\Tovrell.exe.
  explicit ProgramFolder(const std::string& folder);
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& relative) const;
  std::string exe() const { return *this / "Tovrell.exe"; }
  std::string library() const { return *this / "driver"; }
  std::string bootDisk() const { return *this / "BootDisk"; }

  // Copies the sample driver library and boot disk template beside the exe.
  void AddSamples();

  // Starts the program from this folder; with `currentFolder` given, the
  // program starts with that current folder.
  std::unique_ptr<RunningApp> Start(const std::string& currentFolder = std::string()) const {
    return std::make_unique<RunningApp>(exe(), currentFolder);
  }

  // The sample folder shipped with the project.
  static std::string SampleFolder();
  // The template image made from the sample template at build time.
  static std::string SampleImage();
  // The big folder tree made at build time for searches that take a while
  // (tests/e2e/make_search_tree.py), as a full path.
  static std::string SearchTree();
  // A folder of 1,500 files made at build time, for a large template.
  static std::string LargeTemplatePart();

 private:
  std::unique_ptr<TempFolder> temp_;
  std::string path_;
};
