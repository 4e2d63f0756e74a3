// A program folder laid out for one end-to-end test: a copy of Tovrell.exe
// and, when asked for, the sample driver library and boot disk template.
#pragma once

#include <memory>
#include <string>

#include "app_driver.h"
#include "support/temp_folder.h"

class ProgramFolder {
 public:
  ProgramFolder();
  const std::string& path() const { return temp_.path(); }
  std::string operator/(const std::string& relative) const { return temp_ / relative; }
  std::string exe() const { return temp_ / "Tovrell.exe"; }
  std::string library() const { return temp_ / "driver"; }
  std::string bootDisk() const { return temp_ / "BootDisk"; }

  // Copies the sample driver library and boot disk template beside the exe.
  void AddSamples();

  // Starts the program from this folder.
  std::unique_ptr<RunningApp> Start() const { return std::make_unique<RunningApp>(exe()); }

  // The sample folder shipped with the project.
  static std::string SampleFolder();
  // The template image made from the sample template at build time.
  static std::string SampleImage();

 private:
  TempFolder temp_;
};

