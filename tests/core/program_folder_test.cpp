#include "library/program_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramFolder, IsTheModulePathCutAtItsLastBackslash) {
  EXPECT_EQ(ProgramFolderFromModulePath("C:\\T\\Tovrell.exe"), "C:\\T");
  EXPECT_EQ(LibraryFolderOf("C:\\T"), "C:\\T\\driver\\");
  EXPECT_EQ(TemplateFolderOf("C:\\T"), "C:\\T\\BootDisk\\");
  EXPECT_EQ(ProgramFolderFromModulePath("Tovrell.exe"), "Tovrell.exe");
  // A folder ending in 淺 (0x9C 0x5C) is kept whole.
  EXPECT_EQ(ProgramFolderFromModulePath("C:\\\x9C\x5C\\Tovrell.exe"), "C:\\\x9C\x5C");
}

TEST(ProgramFolder, AtADriveRootIsTheBareDriveWhoseFoldersLieInItsRoot) {
  EXPECT_EQ(ProgramFolderFromModulePath("E:\\Tovrell.exe"), "E:");
  EXPECT_EQ(LibraryFolderOf("E:"), "E:\\driver\\");
  EXPECT_EQ(TemplateFolderOf("E:"), "E:\\BootDisk\\");
}

TEST(ProgramFolder, AFolderOfAnyLengthIsTaken) {
  // Formerly refused beyond 233 bytes; the port now reaches longer paths.
  for (std::size_t length : {233u, 234u, 259u, 400u}) {
    const std::string folder = "C:\\" + std::string(length - 3, 'a');
    EXPECT_EQ(ProgramFolderFromModulePath(folder + "\\Tovrell.exe"), folder) << length;
    EXPECT_EQ(LibraryFolderOf(folder), folder + "\\driver\\") << length;
  }
}

}  // namespace
