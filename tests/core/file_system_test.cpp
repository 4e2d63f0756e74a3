// The port's promises that the program relies on, on whichever port the
// tests are built with.
#include "port/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/temp_folder.h"

namespace {

std::vector<std::string> Names(const std::string& pattern) {
  std::vector<port::FoundEntry> entries;
  port::FindFiles(pattern, &entries);
  std::vector<std::string> names;
  for (const port::FoundEntry& entry : entries) {
    if (!entry.IsDots()) names.push_back(entry.name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(FileSystem, ListingMatchesMasksIgnoringLetterCase) {
  TempFolder temp;
  WriteTestFile(temp / "E100B.DOS", "x");
  WriteTestFile(temp / "readme", "x");
  MakeTestFolders(temp / "Sub");
  EXPECT_EQ(Names(temp / "*.*"), (std::vector<std::string>{"E100B.DOS", "Sub", "readme"}));
  EXPECT_EQ(Names(temp / "e100b*"), (std::vector<std::string>{"E100B.DOS"}));
  std::vector<port::FoundEntry> entries;
  EXPECT_FALSE(port::FindFiles(temp / "missing\\*.*", &entries));
}

TEST(FileSystem, EntriesCarryTheirFullPathAndKind) {
  TempFolder temp;
  WriteTestFile(temp / "Sub\\a.dos", "x");
  std::vector<port::FoundEntry> entries;
  ASSERT_TRUE(port::FindFiles(temp / "*.*", &entries));
  auto sub = std::find_if(entries.begin(), entries.end(), [](const port::FoundEntry& e) { return e.name == "Sub"; });
  ASSERT_NE(sub, entries.end());
  EXPECT_TRUE(sub->IsDirectory());
  EXPECT_FALSE(sub->IsLink());
  EXPECT_EQ(sub->path, temp / "Sub");
}

TEST(FileSystem, WindowsPathFormsAreAccepted) {
  TempFolder temp;
  WriteTestFile(temp / "a\\b.txt", "bytes");
  EXPECT_EQ(ReadTestFile(temp.path() + "\\a\\\\b.txt"), "bytes");  // doubled backslash
  EXPECT_TRUE(IsFolder(temp / "a\\"));                              // trailing backslash
  EXPECT_EQ(port::FullPath(temp.path() + "\\a\\..\\a\\\\b.txt"), port::FullPath(temp / "a\\b.txt"));
}

TEST(FileSystem, AReadOnlyFileCannotBeDeletedOrOverwritten) {
  TempFolder temp;
  const std::string file = temp / "ro.txt";
  WriteTestFile(file, "old");
  WriteTestFile(temp / "src.txt", "new");
  ASSERT_TRUE(port::SetAttributes(file, port::kAttrReadOnly));
  EXPECT_NE(port::GetAttributes(file) & port::kAttrReadOnly, 0u);
  EXPECT_FALSE(port::RemoveFile(file));
  EXPECT_FALSE(port::WriteFile(file, "x"));
  EXPECT_FALSE(port::CopyOneFile(temp / "src.txt", file));
  EXPECT_FALSE(port::ReplaceEntry(temp / "src.txt", file));
  EXPECT_EQ(ReadTestFile(file), "old");
  // A copy of a read-only file is read-only too, as CopyFileA makes it.
  ASSERT_TRUE(port::CopyOneFile(file, temp / "copy.txt"));
  EXPECT_NE(port::GetAttributes(temp / "copy.txt") & port::kAttrReadOnly, 0u);
  ASSERT_TRUE(port::SetAttributes(file, port::kAttrNormal));
  EXPECT_TRUE(port::RemoveFile(file));
  EXPECT_FALSE(Exists(file));
}

TEST(FileSystem, ALockedFileCannotBeDeletedReadOrReplaced) {
  TempFolder temp;
  const std::string file = temp / "held.txt";
  WriteTestFile(file, "held");
  WriteTestFile(temp / "other.txt", "other");
  {
    auto lock = port::LockFile(file);
    ASSERT_NE(lock, nullptr);
    EXPECT_FALSE(port::RemoveFile(file));
    EXPECT_FALSE(port::WriteFile(file, "x"));
    EXPECT_FALSE(port::ReplaceEntry(temp / "other.txt", file));
    EXPECT_FALSE(port::LastErrorText().empty());
  }
  EXPECT_TRUE(port::RemoveFile(file));
}

TEST(FileSystem, MoveRefusesAnExistingTargetAndReplaceTakesItsPlace) {
  TempFolder temp;
  WriteTestFile(temp / "a", "A");
  WriteTestFile(temp / "b", "B");
  EXPECT_FALSE(port::MoveEntry(temp / "a", temp / "b"));
  EXPECT_TRUE(port::ReplaceEntry(temp / "a", temp / "b"));
  EXPECT_EQ(ReadTestFile(temp / "b"), "A");
  EXPECT_FALSE(Exists(temp / "a"));
  MakeTestFolders(temp / "dir\\inner");
  EXPECT_TRUE(port::MoveEntry(temp / "dir", temp / "renamed"));
  EXPECT_TRUE(IsFolder(temp / "renamed\\inner"));
}

TEST(FileSystem, FoldersAreCreatedOneLevelAndRemovedOnlyWhenEmpty) {
  TempFolder temp;
  EXPECT_FALSE(port::CreateFolder(temp / "x\\y"));
  EXPECT_TRUE(port::CreateFolder(temp / "x\\"));
  EXPECT_FALSE(port::CreateFolder(temp / "x"));
  WriteTestFile(temp / "x\\f", "f");
  EXPECT_FALSE(port::RemoveFolder(temp / "x"));
  port::RemoveFile(temp / "x\\f");
  EXPECT_TRUE(port::RemoveFolder(temp / "x\\"));
}

TEST(FileSystem, ResolvedPathsOfOneFolderAreEqual) {
  TempFolder temp;
  MakeTestFolders(temp / "a\\b");
  const std::string direct = port::ResolvedPath(temp / "a\\b");
  EXPECT_EQ(port::ResolvedPath(temp.path() + "\\a\\.\\b\\..\\b"), direct);
  EXPECT_EQ(port::ResolvedPath(temp / "a\\b\\not-yet"), direct + "\\not-yet");
  port::FolderId one, two;
  ASSERT_TRUE(port::GetFolderId(temp / "a\\b", &one));
  ASSERT_TRUE(port::GetFolderId(temp.path() + "\\a\\\\b\\", &two));
  EXPECT_TRUE(one == two);
}

TEST(FileSystem, FileSizesAreToldWithoutReading) {
  TempFolder temp;
  WriteTestFile(temp / "five.bin", "12345");
  WriteTestFile(temp / "empty.bin", "");
  MakeTestFolders(temp / "Sub");
  std::uint64_t size = 99;
  ASSERT_TRUE(port::GetFileSize(temp / "five.bin", &size));
  EXPECT_EQ(size, 5u);
  ASSERT_TRUE(port::GetFileSize(temp / "empty.bin", &size));
  EXPECT_EQ(size, 0u);
  EXPECT_FALSE(port::GetFileSize(temp / "Sub", &size));
  EXPECT_FALSE(port::GetFileSize(temp / "missing.bin", &size));
}

}  // namespace
