// The file-system port over POSIX. Paths arrive in Windows form and are
// turned into native ones here; paths handed back use backslashes again, so
// the code above never sees a forward slash. Windows rules the program
// relies on are kept here rather than left to the POSIX semantics: a file
// without write permission is read-only even to root, and a file held by
// LockFile behaves as one another program holds open without sharing.
// Drive letters mapped with MapDrive (drive_map.h) name folders. Names go
// to the system in UTF-8 and come back in code page 936 (native_text.h).
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <utility>

#include "port/file_system.h"
#include "port/posix/drive_map.h"
#include "port/posix/native_text.h"
#include "text/cp936_path.h"
#include "text/path_form.h"

namespace port {
namespace {

thread_local int lastError = 0;

bool Fail(int error) {
  lastError = error;
  return false;
}

// Mapped drives: upper-case letter to the real native path of its root.
std::mutex drivesMutex;
std::map<char, std::string> drives;

char UpperLetter(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// The native root of the drive `path` starts with, or "" when it starts with
// no mapped drive.
std::string DriveRootOf(const std::string& path) {
  if (path.size() < 2 || path[1] != ':') return std::string();
  std::lock_guard<std::mutex> guard(drivesMutex);
  const auto it = drives.find(UpperLetter(path[0]));
  return it == drives.end() ? std::string() : it->second;
}

// A native path (slashes, UTF-8 names) in the port's form: a backslash in
// a name stays a character of it (native_text.h).
std::string Windows(const std::string& native) {
  return cp936::ReplaceSeparators(ProgramText(native), '/', '\\');
}

// A path of the port's form (relative, or from the root) as the system
// names it.
std::string NativeOf(const std::string& path) { return NativeText(cp936::ReplaceSeparators(path, '\\', '/')); }

// The long form "\\?\X:\..." names what its plain form names here.
std::string Native(const std::string& longOrPlain) {
  const std::string path = pathform::PlainFormOf(longOrPlain);
  const std::string driveRoot = DriveRootOf(path);
  if (driveRoot.empty()) return NativeOf(path);
  const std::string full = FullPath(path);  // "X:\..."
  const std::string rest = NativeOf(full.substr(3));
  return rest.empty() ? driveRoot : (driveRoot == "/" ? "" : driveRoot) + "/" + rest;
}

// A real native path in Windows form: on a mapped drive when it lies below
// the drive's root.
std::string WindowsFromReal(const std::string& native) {
  {
    std::lock_guard<std::mutex> guard(drivesMutex);
    for (const auto& drive : drives) {
      const std::string& root = drive.second;
      if (native == root) return std::string(1, drive.first) + ":\\";
      if (native.size() > root.size() && native.compare(0, root.size(), root) == 0 && native[root.size()] == '/') {
        return std::string(1, drive.first) + ":\\" + Windows(native.substr(root.size() + 1));
      }
    }
  }
  return Windows(native);
}

// Files held open by LockFile, by device and inode.
using InodeKey = std::pair<dev_t, ino_t>;
std::mutex locksMutex;
std::multiset<InodeKey> locks;

bool IsLocked(const struct stat& st) {
  std::lock_guard<std::mutex> guard(locksMutex);
  return locks.count({st.st_dev, st.st_ino}) != 0;
}

bool IsLocked(const std::string& native) {
  struct stat st;
  return stat(native.c_str(), &st) == 0 && IsLocked(st);
}

bool IsReadOnly(const struct stat& st) { return (st.st_mode & S_IWUSR) == 0; }

// Windows listing masks: * and ? with letter case ignored; a mask ending in
// ".*" also matches names without a dot, so "*.*" matches every name.
bool MatchMask(const char* mask, const char* name) {
  while (*mask != '\0') {
    if (*mask == '*') {
      while (*mask == '*') ++mask;
      if (*mask == '\0') return true;
      for (const char* rest = name; *rest != '\0'; ++rest) {
        if (MatchMask(mask, rest)) return true;
      }
      return MatchMask(mask, "") ;
    }
    if (*name == '\0') return std::strcmp(mask, ".*") == 0;
    if (*mask != '?') {
      const char a = static_cast<char>(*mask >= 'a' && *mask <= 'z' ? *mask - 32 : *mask);
      const char b = static_cast<char>(*name >= 'a' && *name <= 'z' ? *name - 32 : *name);
      if (a != b) return false;
    }
    ++mask;
    ++name;
  }
  return *name == '\0';
}

bool MaskMatchesAll(const std::string& mask) { return mask == "*" || mask == "*.*"; }

class PosixLockedFile : public LockedFile {
 public:
  PosixLockedFile(int fd, InodeKey key) : fd_(fd), key_(key) {}
  ~PosixLockedFile() override {
    {
      std::lock_guard<std::mutex> guard(locksMutex);
      auto it = locks.find(key_);
      if (it != locks.end()) locks.erase(it);
    }
    close(fd_);
  }

 private:
  int fd_;
  InodeKey key_;
};

std::string Normalise(const std::string& absoluteNative) {
  std::vector<std::string> parts;
  std::size_t i = 0;
  while (i <= absoluteNative.size()) {
    std::size_t next = absoluteNative.find('/', i);
    if (next == std::string::npos) next = absoluteNative.size();
    const std::string part = absoluteNative.substr(i, next - i);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    i = next + 1;
  }
  std::string result;
  for (const std::string& part : parts) result += "/" + part;
  return result.empty() ? "/" : result;
}

}  // namespace

bool FindFiles(const std::string& pattern, std::vector<FoundEntry>* entries) {
  entries->clear();
  const std::size_t slash = cp936::LastBackslash(pattern);
  const std::string prefix = slash == cp936::npos ? "" : pattern.substr(0, slash + 1);
  const std::string mask = slash == cp936::npos ? pattern : pattern.substr(slash + 1);
  const std::string folder = prefix.empty() ? "." : Native(prefix);
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return Fail(errno);
  const bool all = MaskMatchesAll(mask);
  const int dirFd = dirfd(dir);
  while (struct dirent* d = readdir(dir)) {
    FoundEntry entry;
    entry.name = ProgramText(d->d_name);
    if (!all && !MatchMask(mask.c_str(), entry.name.c_str())) continue;
    entry.path = prefix + entry.name;
    unsigned char type = d->d_type;
    if (type == DT_LNK) {
      entry.attributes |= kAttrReparsePoint;
      struct stat st;
      if (fstatat(dirFd, d->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode)) {
        entry.attributes |= kAttrDirectory;
      }
    } else if (type == DT_UNKNOWN) {
      struct stat st;
      if (fstatat(dirFd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(st.st_mode)) {
          entry.attributes |= kAttrReparsePoint;
          if (fstatat(dirFd, d->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode)) {
            entry.attributes |= kAttrDirectory;
          }
        } else if (S_ISDIR(st.st_mode)) {
          entry.attributes |= kAttrDirectory;
        }
      }
    } else if (type == DT_DIR) {
      entry.attributes |= kAttrDirectory;
    }
    if (entry.attributes == 0) entry.attributes = kAttrNormal;
    entries->push_back(std::move(entry));
  }
  closedir(dir);
  if (entries->empty()) return Fail(ENOENT);
  return true;
}

bool CreateFolder(const std::string& path) {
  return mkdir(Native(path).c_str(), 0777) == 0 || Fail(errno);
}

bool RemoveFolder(const std::string& path) {
  std::string native = Native(path);
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  struct stat st;
  if (lstat(native.c_str(), &st) != 0) return Fail(errno);
  if (S_ISLNK(st.st_mode)) {
    struct stat target;
    if (stat(native.c_str(), &target) != 0 || !S_ISDIR(target.st_mode)) return Fail(ENOTDIR);
    return unlink(native.c_str()) == 0 || Fail(errno);
  }
  return rmdir(native.c_str()) == 0 || Fail(errno);
}

bool RemoveFile(const std::string& path) {
  const std::string native = Native(path);
  struct stat st;
  if (lstat(native.c_str(), &st) != 0) return Fail(errno);
  if (S_ISDIR(st.st_mode)) return Fail(EISDIR);
  if (!S_ISLNK(st.st_mode)) {
    if (IsReadOnly(st) || IsLocked(st)) return Fail(EACCES);
  }
  return unlink(native.c_str()) == 0 || Fail(errno);
}

bool CopyOneFile(const std::string& from, const std::string& to) {
  const std::string source = Native(from);
  const std::string target = Native(to);
  struct stat sourceStat;
  if (stat(source.c_str(), &sourceStat) != 0) return Fail(errno);
  if (S_ISDIR(sourceStat.st_mode) || IsLocked(sourceStat)) return Fail(EACCES);
  struct stat targetStat;
  if (lstat(target.c_str(), &targetStat) == 0 && S_ISLNK(targetStat.st_mode)) return Fail(EACCES);
  if (stat(target.c_str(), &targetStat) == 0) {
    if (S_ISDIR(targetStat.st_mode) || IsReadOnly(targetStat) || IsLocked(targetStat)) {
      return Fail(EACCES);
    }
    if (targetStat.st_dev == sourceStat.st_dev && targetStat.st_ino == sourceStat.st_ino) {
      return Fail(EACCES);  // a file copied onto itself would be truncated
    }
  }
  const int in = open(source.c_str(), O_RDONLY);
  if (in < 0) return Fail(errno);
  const int out = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (out < 0) {
    const int error = errno;
    close(in);
    return Fail(error);
  }
  bool ok = true;
  int error = 0;
  for (;;) {
    const ssize_t copied = copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0);
    if (copied > 0) continue;
    if (copied == 0) break;
    if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
      ok = false;
      error = errno;
      break;
    }
    // The file systems cannot copy between themselves: copy through a buffer.
    char buffer[1 << 16];
    ssize_t got;
    while ((got = read(in, buffer, sizeof buffer)) > 0) {
      if (write(out, buffer, static_cast<size_t>(got)) != got) {
        ok = false;
        error = errno;
        break;
      }
    }
    if (got < 0) {
      ok = false;
      error = errno;
    }
    break;
  }
  if (ok) fchmod(out, sourceStat.st_mode & 07777);
  close(in);
  if (close(out) != 0 && ok) {
    ok = false;
    error = errno;
  }
  return ok || Fail(error);
}

bool MoveEntry(const std::string& from, const std::string& to) {
  std::string source = Native(from);
  std::string target = Native(to);
  while (source.size() > 1 && source.back() == '/') source.pop_back();
  while (target.size() > 1 && target.back() == '/') target.pop_back();
  struct stat st;
  if (lstat(source.c_str(), &st) != 0) return Fail(errno);
  if (!S_ISDIR(st.st_mode) && IsLocked(st)) return Fail(EACCES);
  if (lstat(target.c_str(), &st) == 0) return Fail(EEXIST);
  return rename(source.c_str(), target.c_str()) == 0 || Fail(errno);
}

bool ReplaceEntry(const std::string& from, const std::string& to) {
  const std::string source = Native(from);
  const std::string target = Native(to);
  struct stat st;
  if (lstat(source.c_str(), &st) != 0) return Fail(errno);
  if (IsLocked(st)) return Fail(EACCES);
  if (stat(target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode) || IsReadOnly(st) || IsLocked(st)) return Fail(EACCES);
  }
  return rename(source.c_str(), target.c_str()) == 0 || Fail(errno);
}

std::uint32_t GetAttributes(const std::string& path) {
  const std::string native = Native(path);
  struct stat st;
  if (lstat(native.c_str(), &st) != 0) {
    lastError = errno;
    return kInvalidAttributes;
  }
  std::uint32_t attributes = 0;
  if (S_ISLNK(st.st_mode)) {
    attributes |= kAttrReparsePoint;
    if (stat(native.c_str(), &st) != 0) return attributes;
  }
  if (S_ISDIR(st.st_mode)) attributes |= kAttrDirectory;
  if (IsReadOnly(st)) attributes |= kAttrReadOnly;
  return attributes == 0 ? kAttrNormal : attributes;
}

bool SetAttributes(const std::string& path, std::uint32_t attributes) {
  const std::string native = Native(path);
  struct stat st;
  if (stat(native.c_str(), &st) != 0) return Fail(errno);
  mode_t mode = st.st_mode & 07777;
  if (attributes & kAttrReadOnly) {
    mode &= static_cast<mode_t>(~(S_IWUSR | S_IWGRP | S_IWOTH));
  } else {
    mode |= S_IWUSR;
  }
  return chmod(native.c_str(), mode) == 0 || Fail(errno);
}

bool ReadFile(const std::string& path, std::string* bytes) {
  const std::string native = Native(path);
  if (IsLocked(native)) return Fail(EACCES);
  const int fd = open(native.c_str(), O_RDONLY);
  if (fd < 0) return Fail(errno);
  struct stat st;
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    close(fd);
    return Fail(EISDIR);
  }
  bytes->clear();
  bytes->reserve(static_cast<size_t>(st.st_size));  // one allocation for an image of megabytes
  char buffer[1 << 16];
  ssize_t got;
  while ((got = read(fd, buffer, sizeof buffer)) > 0) bytes->append(buffer, static_cast<size_t>(got));
  const int error = errno;
  close(fd);
  return got == 0 || Fail(error);
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  const std::string native = Native(path);
  struct stat st;
  if (lstat(native.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) return Fail(EACCES);
  if (stat(native.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode) || IsReadOnly(st) || IsLocked(st)) return Fail(EACCES);
  }
  const int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0) return Fail(errno);
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
    if (n <= 0) {
      const int error = errno;
      close(fd);
      return Fail(error);
    }
    written += static_cast<std::size_t>(n);
  }
  return close(fd) == 0 || Fail(errno);
}

std::string FullPath(const std::string& path) {
  const std::string written = cp936::ReplaceSeparators(pathform::PlainFormOf(path), '/', '\\');
  if (!DriveRootOf(written).empty()) {
    // "X:\..." starts at the drive's root; "X:" and "X:name" at the current
    // folder when it lies on X, else at the root, as on Windows.
    const std::size_t root = pathform::RootLength(written);
    std::string start = written.substr(0, 2) + "\\";
    if (root == 2) {
      const std::string current = CurrentFolder();
      if (cp936::EqualIgnoringCase(current.substr(0, 2), written.substr(0, 2))) start = current;
    }
    return pathform::WithoutBackslash(pathform::Normalised(pathform::JoinPath(start, written.substr(root))));
  }
  const std::string current = CurrentFolder();
  // "\..." starts at the root of the current folder's drive: a mapped
  // drive's root while the current folder lies on one.
  if (pathform::RootLength(written) == 1 && !DriveRootOf(current).empty()) {
    return FullPath(current.substr(0, 2) + written);
  }
  if (!written.empty() && written[0] == '\\') return Windows(Normalise(Native(written)));
  if (current.empty()) return written;
  return FullPath(pathform::JoinPath(current, written));
}

std::string ResolvedPath(const std::string& path) {
  std::string existing = Native(FullPath(path));
  std::string rest;
  for (;;) {
    char resolved[PATH_MAX];
    if (realpath(existing.c_str(), resolved) != nullptr) {
      std::string result = resolved;
      if (!rest.empty()) result += (result == "/" ? "" : "/") + rest;
      return WindowsFromReal(result);
    }
    const std::size_t slash = existing.rfind('/');
    if (slash == std::string::npos || existing == "/") return FullPath(path);
    const std::string last = existing.substr(slash + 1);
    rest = rest.empty() ? last : last + "/" + rest;
    existing = slash == 0 ? "/" : existing.substr(0, slash);
  }
}

bool IsLink(const std::string& path) {
  std::string native = Native(path);
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  struct stat st;
  return lstat(native.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool NamesIgnoreCase() { return false; }

bool GetFolderId(const std::string& path, FolderId* id) {
  struct stat st;
  if (stat(Native(path).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return Fail(errno ? errno : ENOTDIR);
  id->volume = static_cast<std::uint64_t>(st.st_dev);
  id->index = static_cast<std::uint64_t>(st.st_ino);
  return true;
}

std::string ModuleFileName() {
  std::vector<char> buffer(PATH_MAX);
  for (;;) {
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return std::string();
    if (static_cast<std::size_t>(n) < buffer.size()) {
      return WindowsFromReal(std::string(buffer.data(), static_cast<size_t>(n)));
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string UserPath(const std::string& path) { return cp936::ReplaceSeparators(path, '\\', '/'); }

std::string PortPath(const std::string& userPath) { return cp936::ReplaceSeparators(userPath, '/', '\\'); }

std::string NativePath(const std::string& path) { return Native(path); }

bool SetCurrentFolder(const std::string& path) {
  return chdir(Native(path).c_str()) == 0 || Fail(errno);
}

std::string CurrentFolder() {
  std::vector<char> buffer(PATH_MAX);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return std::string();
    buffer.resize(buffer.size() * 2);
  }
  return WindowsFromReal(buffer.data());
}

std::string LastErrorText() { return std::strerror(lastError); }

bool MapDrive(char letter, const std::string& folder) {
  char real[PATH_MAX];
  if (realpath(Native(folder).c_str(), real) == nullptr) return Fail(errno);
  std::lock_guard<std::mutex> guard(drivesMutex);
  drives[UpperLetter(letter)] = real;
  return true;
}

void UnmapDrive(char letter) {
  std::lock_guard<std::mutex> guard(drivesMutex);
  drives.erase(UpperLetter(letter));
}

bool IsHeldOpen(const std::string& path) {
  struct stat st;
  return lstat(Native(path).c_str(), &st) == 0 && S_ISREG(st.st_mode) && IsLocked(st);
}

std::unique_ptr<LockedFile> LockFile(const std::string& path) {
  const int fd = open(Native(path).c_str(), O_RDONLY);
  if (fd < 0) {
    lastError = errno;
    return nullptr;
  }
  struct stat st;
  fstat(fd, &st);
  const InodeKey key{st.st_dev, st.st_ino};
  {
    std::lock_guard<std::mutex> guard(locksMutex);
    locks.insert(key);
  }
  return std::make_unique<PosixLockedFile>(fd, key);
}

bool GetFileSize(const std::string& path, std::uint64_t* size) {
  struct stat st;
  if (stat(Native(path).c_str(), &st) != 0) return Fail(errno);
  if (S_ISDIR(st.st_mode)) return Fail(EISDIR);
  *size = static_cast<std::uint64_t>(st.st_size);
  return true;
}

}  // namespace port
