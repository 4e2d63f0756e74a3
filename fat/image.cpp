#include "fat/image.h"

#include <algorithm>
#include <string_view>

#include "fat/dir_entry.h"
#include "fat/little_endian.h"
#include "fat/refusal.h"
#include "fat/volume_check.h"
#include "text/cp936_path.h"

namespace fat {

namespace {

// A path cut at its last backslash: the folder's path ("" for the root) and
// the name in it. The one place a path is split so.
struct PathParts {
  std::string folder;
  std::string name;
};

PathParts SplitPath(const std::string& path) {
  const std::size_t cut = cp936::LastBackslash(path);
  if (cut == cp936::npos) return {std::string(), path};
  return {path.substr(0, cut), path.substr(cut + 1)};
}

}  // namespace

bool Image::Open(std::string bytes, std::string* problem) {
  bytes_ = std::move(bytes);
  boot_ = BootSector();
  problem->clear();
  if (bytes_.size() > kMaxImageBytes) {
    return Refuse(problem, "文件（" + std::to_string(bytes_.size()) + "字节）大于32MB，不是软盘或小硬盘镜像");
  }
  BootSector boot;
  if (!ReadBootSector(bytes_, &boot, problem)) return false;
  boot_ = boot;
  for (std::uint32_t copy = 1; copy < boot_.fatCount; ++copy) {
    if (bytes_.compare(boot_.fatOffset + copy * boot_.fatBytes, boot_.fatBytes, bytes_, boot_.fatOffset,
                       boot_.fatBytes) != 0) {
      return Refuse(problem, "两份FAT不一致");
    }
  }
  // FAT[0] holds the boot sector's media byte with every higher bit set.
  const std::uint32_t high = boot_.fatBits == 12 ? 0xF00 : 0xFF00;
  if (FatEntry(0) != (high | boot_.media)) return Refuse(problem, "FAT的第一项与引导扇区中的介质描述符不符");
  return VolumeCheck(*this).Run(problem);
}

std::uint32_t Image::FatEntry(std::uint32_t cluster) const {
  if (boot_.fatBits == 12) {
    const std::uint32_t pair = Le16(bytes_, boot_.fatOffset + cluster + cluster / 2);
    return cluster % 2 == 0 ? pair & 0xFFF : pair >> 4;
  }
  return Le16(bytes_, boot_.fatOffset + std::size_t{cluster} * 2);
}

void Image::SetFatEntry(std::uint32_t cluster, std::uint32_t value) {
  for (std::uint32_t copy = 0; copy < boot_.fatCount; ++copy) {
    const std::size_t fat = boot_.fatOffset + copy * boot_.fatBytes;
    if (boot_.fatBits == 12) {
      const std::size_t at = fat + cluster + cluster / 2;
      const std::uint32_t pair = Le16(bytes_, at);
      Put16(&bytes_, at, cluster % 2 == 0 ? (pair & 0xF000) | (value & 0xFFF) : (pair & 0x000F) | (value << 4));
    } else {
      Put16(&bytes_, fat + std::size_t{cluster} * 2, value);
    }
  }
}

std::uint32_t Image::EndOfChain() const { return boot_.fatBits == 12 ? 0xFFF : 0xFFFF; }

bool Image::IsEndOfChain(std::uint32_t value) const { return value >= (boot_.fatBits == 12 ? 0xFF8u : 0xFFF8u); }

std::uint32_t Image::BadCluster() const { return boot_.fatBits == 12 ? 0xFF7 : 0xFFF7; }

bool Image::Chain(std::uint32_t first, std::vector<std::uint32_t>* clusters, std::string* problem) const {
  clusters->clear();
  const std::uint32_t last = boot_.clusterCount + 1;
  std::uint32_t cluster = first;
  for (;;) {
    if (cluster < 2 || cluster > last) return Refuse(problem, "簇链超出了卷的范围");
    if (clusters->size() >= boot_.clusterCount) return Refuse(problem, "簇链形成了环");
    clusters->push_back(cluster);
    const std::uint32_t next = FatEntry(cluster);
    if (IsEndOfChain(next)) return true;
    if (next == 0) return Refuse(problem, "簇链中有空闲簇");
    if (next == BadCluster()) return Refuse(problem, "簇链中有坏簇");
    cluster = next;
  }
}

std::size_t Image::ClusterOffset(std::uint32_t cluster) const {
  return boot_.dataOffset + std::size_t{cluster - 2} * boot_.clusterBytes;
}

std::vector<std::size_t> Image::Slots(Folder folder) const {
  std::vector<std::size_t> slots;
  if (folder.cluster == 0) {
    for (std::size_t i = 0; i < boot_.rootEntries; ++i) slots.push_back(boot_.rootOffset + i * kEntryBytes);
    return slots;
  }
  std::vector<std::uint32_t> clusters;
  std::string ignored;
  Chain(folder.cluster, &clusters, &ignored);
  for (std::uint32_t cluster : clusters) {
    for (std::size_t i = 0; i < boot_.clusterBytes / kEntryBytes; ++i) {
      slots.push_back(ClusterOffset(cluster) + i * kEntryBytes);
    }
  }
  return slots;
}

std::size_t Image::FindSlot(Folder folder, const std::string& shortName) const {
  const std::string wanted = cp936::UpperAscii(shortName);
  for (std::size_t slot : Slots(folder)) {
    const DirEntry entry = DirEntry::Read(bytes_, slot);
    if (entry.IsEndMark()) break;
    if (entry.IsDeleted() || entry.IsLongNamePart() || entry.IsVolumeLabel()) continue;
    if (cp936::UpperAscii(entry.name) == wanted) return slot;
  }
  return 0;
}

bool Image::FindFolder(const std::string& path, Folder* folder) const {
  Folder current;
  for (std::size_t at = 0; at < path.size();) {
    const std::size_t length = cp936::FindFirst(std::string_view(path).substr(at), '\\');
    std::string shortName;
    if (!ShortNameOf(path.substr(at, length), &shortName)) return false;
    const std::size_t slot = FindSlot(current, shortName);
    if (slot == 0) return false;
    const DirEntry entry = DirEntry::Read(bytes_, slot);
    if (!entry.IsFolder()) return false;
    current.cluster = entry.firstCluster;
    at = length == cp936::npos ? path.size() : at + length + 1;
  }
  *folder = current;
  return true;
}

std::size_t Image::SlotOf(const std::string& path) const {
  const PathParts parts = SplitPath(path);
  Folder folder;
  if (!FindFolder(parts.folder, &folder)) return 0;
  std::string shortName;
  if (!ShortNameOf(parts.name, &shortName)) return 0;
  return FindSlot(folder, shortName);
}

Image::Entry Image::Find(const std::string& path) const {
  const std::size_t slot = SlotOf(path);
  if (slot == 0) return Entry::kMissing;
  return DirEntry::Read(bytes_, slot).IsFolder() ? Entry::kFolder : Entry::kFile;
}

bool Image::ReadFile(const std::string& path, std::string* content) const {
  const std::size_t slot = SlotOf(path);
  if (slot == 0) return false;
  const DirEntry entry = DirEntry::Read(bytes_, slot);
  if (entry.IsFolder()) return false;
  content->clear();
  if (entry.size == 0) return true;
  std::vector<std::uint32_t> clusters;
  std::string ignored;
  if (!Chain(entry.firstCluster, &clusters, &ignored)) return false;
  for (std::uint32_t cluster : clusters) content->append(bytes_, ClusterOffset(cluster), boot_.clusterBytes);
  content->resize(entry.size);
  return true;
}

std::uint32_t Image::FreeClusters() const {
  std::uint32_t free = 0;
  for (std::uint32_t cluster = 2; cluster <= boot_.clusterCount + 1; ++cluster) {
    if (FatEntry(cluster) == 0) ++free;
  }
  return free;
}

bool Image::Allocate(std::uint32_t count, std::vector<std::uint32_t>* clusters) {
  clusters->clear();
  if (count == 0) return true;
  for (std::uint32_t cluster = 2; cluster <= boot_.clusterCount + 1 && clusters->size() < count; ++cluster) {
    if (FatEntry(cluster) == 0) clusters->push_back(cluster);
  }
  if (clusters->size() < count) return false;
  for (std::size_t i = 0; i < clusters->size(); ++i) {
    SetFatEntry((*clusters)[i], i + 1 < clusters->size() ? (*clusters)[i + 1] : EndOfChain());
  }
  return true;
}

void Image::FreeChain(std::uint32_t first) {
  std::vector<std::uint32_t> clusters;
  std::string ignored;
  if (first == 0 || !Chain(first, &clusters, &ignored)) return;
  for (std::uint32_t cluster : clusters) SetFatEntry(cluster, 0);
}

bool Image::NoSpace(const std::string& shown, std::uint64_t neededBytes, std::string* problem) const {
  // Whole clusters are missing, so more bytes are needed than are left; the
  // sizes shown keep that: KB rounded up for the need and down for what is
  // left, and bytes on both sides when less than 1 KB is left.
  const std::uint64_t freeBytes = std::uint64_t{FreeClusters()} * boot_.clusterBytes;
  const std::string sizes =
      freeBytes < 1024
          ? std::to_string(neededBytes) + "字节，只剩" + std::to_string(freeBytes) + "字节"
          : std::to_string((neededBytes + 1023) / 1024) + "KB，只剩" + std::to_string(freeBytes / 1024) + "KB";
  return Refuse(problem, "镜像中没有足够的空间放" + shown + "（需要" + sizes + "）");
}

bool Image::NewSlot(Folder folder, const std::string& shown, std::uint64_t neededBytes, std::size_t* slot,
                    std::string* problem) {
  *slot = 0;
  const std::vector<std::size_t> slots = Slots(folder);
  for (std::size_t i = 0; i < slots.size() && *slot == 0; ++i) {
    const DirEntry unused = DirEntry::Read(bytes_, slots[i]);
    // After the end mark the slots are all free.
    if (unused.IsDeleted() || unused.IsEndMark()) *slot = slots[i];
  }
  if (*slot == 0) {
    std::vector<std::uint32_t> grown;
    if (folder.cluster == 0) return Refuse(problem, "镜像的根目录已满");
    if (!Allocate(1, &grown)) return NoSpace(shown, neededBytes + boot_.clusterBytes, problem);
    std::vector<std::uint32_t> clusters;
    std::string ignored;
    Chain(folder.cluster, &clusters, &ignored);
    SetFatEntry(clusters.back(), grown[0]);
    std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(ClusterOffset(grown[0])), boot_.clusterBytes, '\0');
    *slot = ClusterOffset(grown[0]);
  }
  std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(*slot), kEntryBytes, '\0');
  return true;
}

bool Image::PlaceFor(const std::string& path, Place* place, std::string* problem) const {
  const PathParts parts = SplitPath(path);
  place->name = parts.name;
  if (!ShortNameOf(parts.name, &place->shortName)) return Refuse(problem, parts.name + "不是DOS的8.3文件名");
  if (!FindFolder(parts.folder, &place->folder)) return Refuse(problem, "镜像中没有文件夹\\" + parts.folder);
  return true;
}

bool Image::WriteFile(const std::string& path, const std::string& content, DosStamp stamp, std::string* problem) {
  Place place;
  if (!PlaceFor(path, &place, problem)) return false;
  const Folder folder = place.folder;
  const std::string& shortName = place.shortName;
  const std::string shown = "\\" + path;

  std::size_t slot = FindSlot(folder, shortName);
  DirEntry entry;
  if (slot != 0) {
    entry = DirEntry::Read(bytes_, slot);
    if (entry.IsFolder() || entry.IsVolumeLabel()) return Refuse(problem, "镜像中的" + shown + "是文件夹，不是文件");
    FreeChain(entry.firstCluster);
  } else {
    if (!NewSlot(folder, shown, content.size(), &slot, problem)) return false;
    entry.name = shortName;
    entry.attributes = kAttrArchive;
    entry.caseFlags = LowerCaseFlags(place.name);
    entry.created = stamp;
  }

  const std::uint64_t needed = (std::uint64_t{content.size()} + boot_.clusterBytes - 1) / boot_.clusterBytes;
  std::vector<std::uint32_t> clusters;
  if (needed > boot_.clusterCount || !Allocate(static_cast<std::uint32_t>(needed), &clusters)) {
    return NoSpace(shown, content.size(), problem);
  }
  for (std::size_t i = 0; i < clusters.size(); ++i) {
    const std::size_t at = ClusterOffset(clusters[i]);
    const std::size_t from = i * boot_.clusterBytes;
    const std::size_t n = std::min(boot_.clusterBytes, content.size() - from);
    bytes_.replace(at, n, content, from, n);
    std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(at + n), boot_.clusterBytes - n, '\0');
  }
  entry.accessDate = stamp.date;
  entry.modified = stamp;
  entry.firstCluster = clusters.empty() ? 0 : clusters[0];
  entry.size = static_cast<std::uint32_t>(content.size());
  entry.Write(&bytes_, slot);
  return true;
}

bool Image::CreateFolder(const std::string& path, DosStamp stamp, std::string* problem) {
  Place place;
  if (!PlaceFor(path, &place, problem)) return false;
  const Folder parent = place.folder;
  const std::string& shortName = place.shortName;
  const std::string shown = "\\" + path;
  if (const std::size_t existing = FindSlot(parent, shortName)) {
    if (DirEntry::Read(bytes_, existing).IsFolder()) return true;
    return Refuse(problem, "镜像中的" + shown + "是文件，不是文件夹");
  }
  std::size_t slot = 0;
  if (!NewSlot(parent, shown, boot_.clusterBytes, &slot, problem)) return false;
  std::vector<std::uint32_t> own;
  if (!Allocate(1, &own)) return NoSpace(shown, boot_.clusterBytes, problem);
  const std::size_t at = ClusterOffset(own[0]);
  std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(at), boot_.clusterBytes, '\0');

  DirEntry entry;
  entry.name = shortName;
  entry.attributes = kAttrDirectory;
  entry.caseFlags = LowerCaseFlags(place.name);
  entry.created = stamp;
  entry.modified = stamp;
  entry.accessDate = stamp.date;
  entry.firstCluster = own[0];
  entry.Write(&bytes_, slot);
  // "." names the folder itself, ".." its parent (0 for the root).
  DirEntry dot = entry;
  dot.name = ".          ";
  dot.caseFlags = 0;
  dot.Write(&bytes_, at);
  DirEntry dotDot = dot;
  dotDot.name = "..         ";
  dotDot.firstCluster = parent.cluster;
  dotDot.Write(&bytes_, at + kEntryBytes);
  return true;
}

}  // namespace fat
