// New content for a file, written whole beside it under a temporary name
// and then moved over it in one step: the file is never half written and
// never missing, and keeps its old content when the replacement fails. A
// temporary file this object wrote and that never took the file's place is
// removed when the object goes, on every path out of the caller.
#pragma once

#include <string>

// A name beside `path` that no entry has yet: "<path>.tmp", else
// "<path>.1.tmp", "<path>.2.tmp" … So an entry of the user's that happens to
// bear such a name is neither overwritten nor removed.
std::string UnusedNameBeside(const std::string& path);

class ReplacingFile {
 public:
  // The temporary file is UnusedNameBeside(target).
  explicit ReplacingFile(std::string target);
  // The temporary file is `temporaryPath`, a name fixed by the caller (an
  // existing file of that name is overwritten).
  ReplacingFile(std::string target, std::string temporaryPath);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // Creates or truncates the temporary file with `bytes`; false when it
  // cannot be created or written.
  bool Write(const std::string& bytes);
  // The written temporary file takes the target's name, replacing it; false
  // when it cannot (a read-only, locked or folder target).
  bool Replace();

  const std::string& temporaryPath() const { return temporaryPath_; }

 private:
  std::string target_;
  std::string temporaryPath_;
  bool written_ = false;
  bool replaced_ = false;
};
