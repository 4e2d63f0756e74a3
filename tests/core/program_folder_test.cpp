#include "library/program_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramFolder, IsTheModulePathCutAtItsLastBackslash) {
  std::string folder;
  ASSERT_TRUE(ProgramFolderFromModulePath("C:\\T\\Tovrell.exe", &folder));
  EXPECT_EQ(folder, "C:\\T");
  EXPECT_EQ(LibraryFolderOf(folder), "C:\\T\\driver\\");
  EXPECT_EQ(TemplateFolderOf(folder), "C:\\T\\BootDisk\\");
  ASSERT_TRUE(ProgramFolderFromModulePath("Tovrell.exe", &folder));
  EXPECT_EQ(folder, "Tovrell.exe");
  // A folder ending in 淺 (0x9C 0x5C) is kept whole.
  ASSERT_TRUE(ProgramFolderFromModulePath("C:\\\x9C\x5C\\Tovrell.exe", &folder));
  EXPECT_EQ(folder, "C:\\\x9C\x5C");
}

TEST(ProgramFolder, RefusesAFolderTooLongForThePathsBelowIt) {
  const std::string longest = "C:\\" + std::string(kMaxProgramFolderLength - 3, 'a');
  std::string folder = "unchanged";
  ASSERT_TRUE(ProgramFolderFromModulePath(longest + "\\Tovrell.exe", &folder));
  EXPECT_EQ(folder, longest);
  // The template's PROTOCOL.INI still fits a 260-byte buffer.
  EXPECT_LE((TemplateFolderOf(folder) + "NET\\PROTOCOL.INI").size() + 1, 260u);

  folder = "unchanged";
  EXPECT_FALSE(ProgramFolderFromModulePath(longest + "a\\Tovrell.exe", &folder));
  EXPECT_EQ(folder, "unchanged");
  EXPECT_NE(ProgramFolderTooLongMessage(longest + "a\\Tovrell.exe").find(longest + "a"), std::string::npos);
}

}  // namespace
