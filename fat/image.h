// A FAT12 or FAT16 disk image held in memory, as DOS boot floppies and
// small hard-disk images are: read its folders and files, and replace or add
// files in one folder. Works on bytes only; the caller reads and writes the
// image file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fat/boot_sector.h"
#include "fat/dos_name.h"

namespace fat {

class Image {
 public:
  // The largest image file taken: a 32 MB volume and what precedes it.
  static constexpr std::size_t kMaxImageBytes = 32u * 1024 * 1024 + 64 * 1024;

  // Takes the image's bytes and checks the whole volume before anything can
  // be changed: either the image starts with a FAT12/FAT16 boot sector (a
  // floppy or "superfloppy"), or with a master boot record whose first
  // partition is FAT12/FAT16. Refused, with the reason in Chinese in
  // `*problem`, whatever could make the changes below write wrongly:
  // - a boot sector whose values are impossible or do not fit together (the
  //   FAT type is the one its cluster count gives), a FAT32 volume, an image
  //   shorter than its volume, FAT copies that differ;
  // - a cluster chain that loops, runs past the volume, reaches a free or
  //   bad cluster, or does not match its file's size; clusters shared by two
  //   chains; lost clusters (marked in use, reached by no file) that are no
  //   whole chains of their own, ending as a file's do without reaching a
  //   free or bad cluster, a file's clusters or another lost chain;
  // - directory entries DOS or a disk checker would find broken (bad short
  //   names, broken long-name parts, duplicate names, missing "." and "..",
  //   a live entry after a folder's end mark).
  // Accepted and left as they are, as DOS uses such volumes and a disk
  // checker only notes them: a volume label that differs between boot
  // sector and root or is missing from either (a DOS 3 boot sector has no
  // label field), lost clusters, the dirty flags (an extended boot sector's
  // and FAT16's in FAT[1]), deleted entries after a folder's end mark. So a
  // disk checker may note these in an accepted image, and after the changes
  // below it notes nothing it did not note before.
  bool Open(std::string bytes, std::string* problem);

  // The image's bytes, with the changes made so far.
  const std::string& bytes() const { return bytes_; }

  // How every path in the image is named: backslash-separated short names
  // from the root, letter case ignored ("NET", "NET\SYSTEM.INI").
  enum class Entry { kMissing, kFile, kFolder };
  // What `path` names.
  Entry Find(const std::string& path) const;

  // The content of the file `path`; false when it is not a file.
  bool ReadFile(const std::string& path, std::string* content) const;

  // Puts `content` into the file `path` ("NET\E100B.DOS"; a file in the
  // root, whose fixed size cannot grow, is named without a folder). An
  // existing file keeps its entry: name, long name, attributes and creation
  // time; its old clusters are freed, new ones taken from the free ones
  // (lowest first; lost clusters are never taken), and its size, first
  // cluster, modification time (`stamp`) and access date updated. A missing
  // file gets a new entry with the archive attribute and `stamp` as its
  // times, in a free slot of the folder, which grows by a cluster when it
  // has none. Every copy of the FAT gets the same changes; no other byte of
  // the image changes. False, with the reason in `*problem`, when the file
  // name is no valid short name, the folder is missing, the path names a
  // folder or volume label, or the volume lacks space (the sizes the reason
  // gives never show the need as covered by what is left); the image's
  // bytes may then be half changed and must be dropped.
  bool WriteFile(const std::string& path, const std::string& content, DosStamp stamp, std::string* problem);

  // Makes the folder `path` ("NET\CARDS") in its existing parent folder: a
  // new entry with the directory attribute and `stamp` as its times, in a
  // free slot of the parent (which grows by a cluster when it has none),
  // and one cluster of its own holding "." and "..", as DOS makes a folder.
  // A folder already there is kept as it is. Every copy of the FAT gets the
  // same changes. False, with the reason in `*problem`, when the name is no
  // valid short name, the parent is missing, a file bears the name, or the
  // volume or the root has no room; the image's bytes may then be half
  // changed and must be dropped.
  bool CreateFolder(const std::string& path, DosStamp stamp, std::string* problem);

  // Clusters that are free.
  std::uint32_t FreeClusters() const;
  // Bytes of one cluster: what any file, however small, takes at least.
  std::uint32_t ClusterBytes() const { return boot_.clusterBytes; }

  // True for a hard-disk image: the volume lies in the first partition of a
  // master boot record rather than at the image's start.
  bool HasPartitionTable() const { return boot_.base != 0; }

 private:
  // The check Open makes walks the same FAT and folders as the reads.
  friend class VolumeCheck;

  // A folder: the root (cluster 0) or a sub-folder's first cluster.
  struct Folder {
    std::uint32_t cluster = 0;
  };

  std::uint32_t FatEntry(std::uint32_t cluster) const;
  void SetFatEntry(std::uint32_t cluster, std::uint32_t value);
  std::uint32_t EndOfChain() const;
  bool IsEndOfChain(std::uint32_t value) const;
  std::uint32_t BadCluster() const;
  // The chain from `first`; false (with the reason) when it is broken.
  bool Chain(std::uint32_t first, std::vector<std::uint32_t>* clusters, std::string* problem) const;
  std::size_t ClusterOffset(std::uint32_t cluster) const;
  // Offsets of the folder's 32-byte entry slots, in order.
  std::vector<std::size_t> Slots(Folder folder) const;
  // The slot of the entry named `shortName` in `folder`, or 0.
  std::size_t FindSlot(Folder folder, const std::string& shortName) const;
  bool FindFolder(const std::string& path, Folder* folder) const;
  // Where an entry of a path goes: the folder it is written into, which
  // must be there, its name as given and as an 8.3 entry name.
  struct Place {
    Folder folder;
    std::string name;
    std::string shortName;
  };
  // False, saying why in `problem`, when `path` has no such place.
  bool PlaceFor(const std::string& path, Place* place, std::string* problem) const;
  // The slot of the entry `path` names, or 0.
  std::size_t SlotOf(const std::string& path) const;
  // A slot for a new entry of `folder`, cleared: a deleted or unused one, or
  // the first of a cluster the folder grows by. False, with the reason in
  // `*problem` (naming `shown`), when the root is full or no cluster is free.
  bool NewSlot(Folder folder, const std::string& shown, std::uint64_t neededBytes, std::size_t* slot,
               std::string* problem);
  // The refusal of a write that lacks space: `neededBytes` for `shown`.
  bool NoSpace(const std::string& shown, std::uint64_t neededBytes, std::string* problem) const;
  // Takes `count` free clusters (lowest first) as one chain; false, with
  // nothing taken, when there are fewer.
  bool Allocate(std::uint32_t count, std::vector<std::uint32_t>* clusters);
  void FreeChain(std::uint32_t first);

  std::string bytes_;
  BootSector boot_;
};

}  // namespace fat
