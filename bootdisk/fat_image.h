// A FAT12 or FAT16 disk image held in memory, as DOS boot floppies and
// small hard-disk images are: read its folders and files, and replace or add
// files in one folder. Works on bytes only; the caller reads and writes the
// image file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fat {

// A date and time as directory entries hold them (2-second steps).
struct DosStamp {
  std::uint16_t date = 0;
  std::uint16_t time = 0;
};
// Years 1980 to 2107; a date outside is clamped to that range.
DosStamp MakeDosStamp(int year, int month, int day, int hour, int minute, int second);

// The 11 bytes a directory entry stores for `fileName` ("E100B.DOS" gives
// "E100B   DOS"): a base name of 1 to 8 and an extension of up to 3
// characters that DOS accepts in file names (letters, digits,
// !#$%&'()-@^_`{}~ and code page 936 double-byte characters), ASCII letters
// upper-cased, and not a DOS device name (CON, NUL, COM1 …). False for any
// other name: DOS could not open such a file.
bool ShortNameOf(const std::string& fileName, std::string* shortName);

class Image {
 public:
  // The largest image file taken: a 32 MB volume and what precedes it.
  static constexpr std::size_t kMaxImageBytes = 32u * 1024 * 1024 + 64 * 1024;

  // Takes the image's bytes and checks the whole volume before anything can
  // be changed: either the image starts with a FAT12/FAT16 boot sector (a
  // floppy or "superfloppy"), or with a master boot record whose first
  // partition is FAT12/FAT16. Refused, with the reason in Chinese in
  // `*problem`:
  // - a boot sector whose values are impossible or do not fit together (the
  //   FAT type is the one its cluster count gives), a FAT32 volume, an image
  //   shorter than its volume, FAT copies that differ;
  // - a cluster chain that loops, runs past the volume, reaches a free or
  //   bad cluster, or does not match its file's size; clusters shared by two
  //   chains or marked in use by none;
  // - directory entries DOS or a disk checker would find broken (bad short
  //   names, broken long-name parts, duplicate names, missing "." and "..").
  // So every image it accepts is one a disk checker finds sound, and stays
  // so after the changes below.
  bool Open(std::string bytes, std::string* problem);

  // The image's bytes, with the changes made so far.
  const std::string& bytes() const { return bytes_; }

  enum class Entry { kMissing, kFile, kFolder };
  // What `path` names: backslash-separated short names from the root,
  // letter case ignored ("NET", "NET\SYSTEM.INI").
  Entry Find(const std::string& path) const;

  // The content of the file `path`; false when it is not a file.
  bool ReadFile(const std::string& path, std::string* content) const;

  // Puts `content` into the file `name` of the folder `folderPath` ("" for
  // the root, whose fixed size cannot grow). An existing file keeps its entry: name, long
  // name, attributes and creation time; its old clusters are freed, new ones
  // taken from the free ones (lowest first), and its size, first cluster,
  // modification time (`stamp`) and access date updated. A missing file gets
  // a new entry with the archive attribute and `stamp` as its times, in a free
  // slot of the folder, which grows by a cluster when it has none. Every
  // copy of the FAT gets the same changes; no other byte of the image
  // changes. False, with the reason in `*problem`, when `name` is no valid
  // short name, names a folder or volume label, or the volume lacks space;
  // the image's bytes may then be half changed and must be dropped.
  bool WriteFile(const std::string& folderPath, const std::string& name, const std::string& content,
                 DosStamp stamp, std::string* problem);

  // Clusters that are free.
  std::uint32_t FreeClusters() const;

 private:
  struct Geometry {
    std::size_t base = 0;  // offset of the volume's boot sector in the image
    std::uint32_t bytesPerSector = 0;
    std::uint32_t sectorsPerCluster = 0;
    std::uint32_t reservedSectors = 0;
    std::uint32_t fatCount = 0;
    std::uint32_t fatSectors = 0;
    std::uint32_t rootEntries = 0;
    std::uint32_t totalSectors = 0;
    std::uint32_t clusterCount = 0;  // data clusters, numbered 2 ..
    int fatBits = 0;                 // 12 or 16
    std::size_t fatOffset = 0;       // first FAT, from the image's start
    std::size_t fatBytes = 0;
    std::size_t rootOffset = 0;
    std::size_t dataOffset = 0;
    std::size_t clusterBytes = 0;
  };

  // A folder: the root (cluster 0) or a sub-folder's first cluster.
  struct Folder {
    std::uint32_t cluster = 0;
  };

  bool ReadGeometry(std::size_t base, Geometry* g, std::string* problem) const;
  bool CheckVolume(std::string* problem) const;
  bool CheckFolder(Folder folder, std::uint32_t parent, int depth, const std::string& path,
                   std::vector<std::uint8_t>* used, std::string* problem) const;

  std::uint32_t FatEntry(std::uint32_t cluster) const;
  void SetFatEntry(std::uint32_t cluster, std::uint32_t value);
  std::uint32_t EndOfChain() const;
  bool IsEndOfChain(std::uint32_t value) const;
  // The chain from `first`; false (with the reason) when it is broken.
  bool Chain(std::uint32_t first, std::vector<std::uint32_t>* clusters, std::string* problem) const;
  std::size_t ClusterOffset(std::uint32_t cluster) const;
  // Offsets of the folder's 32-byte entry slots, in order.
  std::vector<std::size_t> Slots(Folder folder) const;
  // The slot of the entry named `shortName` in `folder`, or 0.
  std::size_t FindSlot(Folder folder, const std::string& shortName) const;
  bool FindFolder(const std::string& path, Folder* folder) const;
  // The slot of the entry `path` names, or 0.
  std::size_t SlotOf(const std::string& path) const;

  bool Allocate(std::uint32_t count, std::vector<std::uint32_t>* clusters);
  void FreeChain(std::uint32_t first);

  std::string bytes_;
  Geometry g_;
};

}  // namespace fat
