// A fresh folder for one test, in Windows path form, removed with
// everything in it when the test ends; and small helpers to lay out and
// read back files through the port.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path, without a trailing backslash.
  const std::string& path() const { return path_; }
  // path() + "\" + relative (relative may use backslashes).
  std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

 private:
  std::string path_;
};

// Creates the file (and its missing folders) with `bytes`.
void WriteTestFile(const std::string& path, const std::string& bytes);
// Creates the folder and its missing parents.
void MakeTestFolders(const std::string& path);
// The file's bytes; "<missing>" when it cannot be read.
std::string ReadTestFile(const std::string& path);
bool Exists(const std::string& path);
bool IsFolder(const std::string& path);
// Every entry below `folder`, as relative paths with backslashes, folders
// with a trailing backslash, sorted.
std::vector<std::string> ListTree(const std::string& folder);
// Copies a folder tree for a test's set-up; throws when a file cannot be
// copied.
void CopyTestTree(const std::string& from, const std::string& to);
// Removes `path` and everything in it, read-only files included.
void RemoveTestTree(const std::string& path);
// A relative path of `length` bytes for tests of long paths: names of at
// most 60 bytes (a file system under Wine limits a name's UTF-8 bytes) of
// `letter` and 淺, whose trail byte is a backslash.
std::string LongTestPath(char letter, std::size_t length);
