// A program folder with a small driver library of placeholder cards and the
// sample boot disk template, and the program started on it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "program_folder.h"

class LibraryTest : public ::testing::Test {
 protected:
  void SetUp() override;

  // The row that shows `card`, or -1.
  int RowOf(const std::string& card) const;
  // Selects `card`'s row and waits for the details to show it.
  void Select(const std::string& card) const;
  HWND list() const { return app->Control(1017); }
  std::vector<std::string> Rows() const { return app->Rows(list()); }

  // Every row shows its own card: selecting row i shows, in 1019, the name
  // of a driver file that lies in the library folder the row names.
  void ExpectRowsPairedWithCards() const;

  ProgramFolder folder;
  std::unique_ptr<RunningApp> app;
};

// Opens the add-driver dialog, types the driver path and the card name and
// presses "添加"; the dialog, or nullptr when it did not open.
HWND AddDriverThroughDialog(const RunningApp& app, const std::string& path, const std::string& name);

// Presses a build button and answers the target dialog with `targetPath`.
void StartBuild(const RunningApp& app, int button, const std::string& targetPath);
// Waits for the target dialog, types `targetPath` and presses "确定".
void AnswerTargetDialog(const RunningApp& app, const std::string& targetPath);

// The bytes of `text` with its first line containing `key` replaced by
// `line` (line breaks CR LF, every other byte kept).
std::string WithFirstLineReplaced(const std::string& text, const std::string& key, const std::string& line);
