// The file-system operations the program needs, in the forms of the Win32
// ANSI calls it was designed around. Paths are code page 936 byte strings in
// Windows form: backslash separators, a trailing backslash naming a folder's
// content, a doubled backslash read as one. Every operation acts on the
// entry exactly as named, whatever the path's length and even when a name
// ends in a blank or a dot (which Windows trims in the plain form).
//
// Two implementations are built from this header: port/win32 over the Win32
// API, and port/posix over a POSIX file system, which accepts the same
// Windows path forms and keeps the Windows rules the program relies on
// (letter case ignored in listing patterns, a read-only file cannot be
// deleted, overwritten or opened for writing, even by root; a file held open
// through LockedFile cannot be deleted, replaced or opened).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace port {

// File attribute bits, with the values of the Win32 FILE_ATTRIBUTE_ flags.
enum Attribute : std::uint32_t {
  kAttrReadOnly = 0x1,
  kAttrHidden = 0x2,
  kAttrSystem = 0x4,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
  kAttrNormal = 0x80,
  kAttrReparsePoint = 0x400,
};
constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFFu;

// One entry of a folder listing, as CFileFind reports it.
struct FoundEntry {
  std::string name;  // the entry's name
  std::string path;  // the listed folder's path, a backslash, the name
  // The directory and reparse-point bits, always; the implementation may add
  // the others. Use GetAttributes for the full set.
  std::uint32_t attributes = 0;

  bool IsDots() const { return name == "." || name == ".."; }
  bool IsDirectory() const { return (attributes & kAttrDirectory) != 0; }
  // A symbolic link or junction (reparse point); IsDirectory tells whether it
  // leads to a folder.
  bool IsLink() const { return (attributes & kAttrReparsePoint) != 0; }
};

// Lists the entries of the folder named by `pattern` ("<folder>\<mask>")
// whose names match the mask, in the order the file system returns them,
// with "." and ".." where the file system reports them. The mask may hold *
// and ?; letter case is ignored; "*.*" matches every name. Returns false when
// nothing is found (a missing, empty or unreadable folder).
bool FindFiles(const std::string& pattern, std::vector<FoundEntry>* entries);

// CreateDirectoryA: one level; a trailing backslash is allowed. False when
// the folder exists already or cannot be created.
bool CreateFolder(const std::string& path);

// RemoveDirectoryA: removes an empty folder (or a link to one, not following
// it). False when it is not empty, missing or cannot be removed.
bool RemoveFolder(const std::string& path);

// DeleteFileA: false for a read-only, locked or missing file.
bool RemoveFile(const std::string& path);

// CopyFileA with fail-if-exists FALSE: copies the content and the
// attributes (a read-only source gives a read-only copy) and overwrites an
// existing target, but fails when the target is read-only, hidden, locked,
// a folder or a link (nothing is written through a link), or the source
// cannot be read.
bool CopyOneFile(const std::string& from, const std::string& to);

// MoveFileA (CFile::Rename): renames a file or folder; fails when `to`
// exists (unless it is the same entry in another letter case on a file
// system that ignores case).
bool MoveEntry(const std::string& from, const std::string& to);

// MoveFileExA with MOVEFILE_REPLACE_EXISTING: `from` takes the name `to` in
// one step, replacing the file there; `to` is never left missing. Fails when
// `to` is read-only, locked or a folder.
bool ReplaceEntry(const std::string& from, const std::string& to);

// GetFileAttributesA; kInvalidAttributes when the entry does not exist.
std::uint32_t GetAttributes(const std::string& path);

// True when `path` names an existing folder (or a link to one).
inline bool IsFolder(const std::string& path) {
  const std::uint32_t attributes = GetAttributes(path);
  return attributes != kInvalidAttributes && (attributes & kAttrDirectory) != 0;
}

// SetFileAttributesA. Only the read-only and hidden bits are kept by
// implementations that cannot store the others.
bool SetAttributes(const std::string& path, std::uint32_t attributes);

// Reads the whole file, bytes as stored. False when it cannot be opened.
bool ReadFile(const std::string& path, std::string* bytes);

// The size in bytes of an existing file, without opening it (for refusing a
// file too big to read). False for a missing entry or a folder.
bool GetFileSize(const std::string& path, std::uint64_t* size);

// Creates or truncates the file and writes `bytes` (CREATE_ALWAYS). False
// when it cannot be created or written (read-only or locked file, a link,
// missing folder).
bool WriteFile(const std::string& path, const std::string& bytes);

// The absolute path, as GetFullPathNameA forms it (a relative path from the
// current folder, a bare "X:" the current folder of drive X) but with every
// name kept exactly as written, where GetFullPathNameA would trim trailing
// blanks and dots: separators made single backslashes, "." and ".."
// resolved, links not followed, no trailing backslash except on a root.
std::string FullPath(const std::string& path);

// The real location of `path` for comparing two locations: the full path
// with links followed and names spelled as stored, as far as the path
// exists; what does not exist yet is appended as written. Names are taken
// exactly, trailing blanks and dots included.
std::string ResolvedPath(const std::string& path);

// True when the entry `path` names is itself a symbolic link or junction, to
// a folder or a file, whether or not what it leads to exists. A trailing
// backslash is ignored ("X\" asks about X, not about what X leads to); a
// root is never a link.
bool IsLink(const std::string& path);

// True where the file system treats names that differ only in letter case
// as the same name.
bool NamesIgnoreCase();

// An identity of an existing folder (volume and file index), for telling
// whether two paths lead to the same folder. False when it cannot be had.
struct FolderId {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  bool operator==(const FolderId& other) const {
    return volume == other.volume && index == other.index;
  }
};
bool GetFolderId(const std::string& path, FolderId* id);

// The program file's full path (GetModuleFileNameA), however long it is.
std::string ModuleFileName();

// A path as the system's users write it, in the program's code page: on
// Windows the port's own form; on POSIX with slashes ("\srv\tftp" is
// "/srv/tftp"). For the paths a front end shows.
std::string UserPath(const std::string& path);
// A path the user wrote (in the program's code page) in the port's form.
std::string PortPath(const std::string& userPath);
// The path as the system's other programs take it, for a shell or a tool:
// on POSIX with slashes, a mapped drive's folder for its letter and the
// names in the UTF-8 the disk holds (native_text.h), so that they reach
// the same entries; on Windows the path itself.
std::string NativePath(const std::string& path);

// SetCurrentDirectoryA / GetCurrentDirectoryA.
bool SetCurrentFolder(const std::string& path);
std::string CurrentFolder();

// A short description of why the last failed call of this port failed, in
// the system's language.
std::string LastErrorText();

// True when another program holds the file open so that it cannot be
// deleted (opened without sharing deletion); false for a file that is free,
// read-only only, missing, a folder or a link. Changes nothing.
bool IsHeldOpen(const std::string& path);

// Holds a file open without sharing, as another program might: while it
// lives the file cannot be opened, deleted, replaced or overwritten.
class LockedFile {
 public:
  virtual ~LockedFile() = default;
};
std::unique_ptr<LockedFile> LockFile(const std::string& path);

}  // namespace port
