#include "bootdisk/fat_image.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "text/cp936_path.h"

namespace fat {

namespace {

constexpr std::size_t kEntryBytes = 32;
constexpr std::uint8_t kAttrVolume = 0x08;
constexpr std::uint8_t kAttrDirectory = 0x10;
constexpr std::uint8_t kAttrArchive = 0x20;
constexpr std::uint8_t kAttrLongName = 0x0F;  // read-only, hidden, system and volume together
constexpr std::uint8_t kDeleted = 0xE5;
constexpr std::uint8_t kLowerCaseBase = 0x08;  // Windows shows the base name in lower case
constexpr std::uint8_t kLowerCaseExtension = 0x10;

std::uint32_t Le16(const std::string& b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 1])) << 8;
}

std::uint32_t Le32(const std::string& b, std::size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }

std::uint8_t Byte(const std::string& b, std::size_t at) { return static_cast<std::uint8_t>(b[at]); }

void Put16(std::string* b, std::size_t at, std::uint32_t value) {
  (*b)[at] = static_cast<char>(value & 0xFF);
  (*b)[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string* b, std::size_t at, std::uint32_t value) {
  Put16(b, at, value & 0xFFFF);
  Put16(b, at + 2, value >> 16);
}

bool IsPowerOfTwo(std::uint32_t n) { return n != 0 && (n & (n - 1)) == 0; }

std::string Num(std::uint64_t n) { return std::to_string(n); }

// The checksum of a short name that its long-name parts carry.
std::uint8_t ShortNameChecksum(const char* name) {
  std::uint8_t sum = 0;
  for (int i = 0; i < 11; ++i) {
    sum = static_cast<std::uint8_t>(((sum & 1) ? 0x80 : 0) + (sum >> 1) + static_cast<std::uint8_t>(name[i]));
  }
  return sum;
}

// A stored short name as a disk checker wants it: no control characters or
// characters Windows forbids, no leading or embedded blank.
bool IsSoundShortName(const char* name) {
  static const char kForbidden[] = "*?<>|\"\\/:.+,;=[]";
  for (int i = 0; i < 11; ++i) {
    const std::uint8_t c = static_cast<std::uint8_t>(name[i]);
    if ((c < 0x20 && !(i == 0 && c == 0x05)) || c == 0x7F) return false;
    if (c != 0 && std::strchr(kForbidden, c) != nullptr) return false;
  }
  if (name[0] == ' ') return false;
  for (int part = 0; part < 2; ++part) {
    const int from = part == 0 ? 0 : 8;
    const int to = part == 0 ? 8 : 11;
    bool blank = false;
    for (int i = from; i < to; ++i) {
      if (name[i] == ' ') {
        blank = true;
      } else if (blank) {
        return false;
      }
    }
  }
  return true;
}

// "E100B   DOS" as "E100B.DOS", for messages.
std::string DisplayName(const std::string& stored) {
  std::string base = stored.substr(0, 8);
  std::string extension = stored.substr(8, 3);
  while (!base.empty() && base.back() == ' ') base.pop_back();
  while (!extension.empty() && extension.back() == ' ') extension.pop_back();
  if (!base.empty() && static_cast<std::uint8_t>(base[0]) == 0x05) base[0] = static_cast<char>(kDeleted);
  return extension.empty() ? base : base + "." + extension;
}

bool IsDosNameCharacter(char c) {
  static const char kPunctuation[] = "!#$%&'()-@^_`{}~";
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         (c != 0 && std::strchr(kPunctuation, c) != nullptr);
}

// A base name or extension of 1 to `most` bytes of DOS name characters.
bool IsDosNamePart(const std::string& part, std::size_t most) {
  if (part.empty() || part.size() > most) return false;
  for (std::size_t i = 0; i < part.size(); ++i) {
    const std::uint8_t c = static_cast<std::uint8_t>(part[i]);
    if (cp936::IsLeadByte(c)) {
      if (i + 1 >= part.size()) return false;
      const std::uint8_t trail = static_cast<std::uint8_t>(part[i + 1]);
      if (trail < 0x40 || trail == 0x7F || trail == 0xFF) return false;
      ++i;
    } else if (!IsDosNameCharacter(static_cast<char>(c))) {
      return false;
    }
  }
  return true;
}

bool IsDeviceName(const std::string& upperBase) {
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CLOCK$"};
  for (const char* device : kDevices) {
    if (upperBase == device) return true;
  }
  return upperBase.size() == 4 && (upperBase.compare(0, 3, "COM") == 0 || upperBase.compare(0, 3, "LPT") == 0) &&
         upperBase[3] >= '1' && upperBase[3] <= '9';
}

bool HasLetters(const std::string& text, bool lower) {
  bool any = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (cp936::IsLeadByte(static_cast<std::uint8_t>(c))) {
      ++i;
      continue;
    }
    if (lower ? (c >= 'a' && c <= 'z') : (c >= 'A' && c <= 'Z')) any = true;
  }
  return any;
}

// Lower-case flags Windows reads from byte 12, for a name typed all in lower
// case, so that it is shown as it stands in the driver library.
std::uint8_t LowerCaseFlags(const std::string& fileName) {
  const std::size_t dot = cp936::FindLast(fileName, '.');
  const std::string base = fileName.substr(0, dot);
  const std::string extension = dot == cp936::npos ? std::string() : fileName.substr(dot + 1);
  std::uint8_t flags = 0;
  if (HasLetters(base, true) && !HasLetters(base, false)) flags |= kLowerCaseBase;
  if (HasLetters(extension, true) && !HasLetters(extension, false)) flags |= kLowerCaseExtension;
  return flags;
}

}  // namespace

DosStamp MakeDosStamp(int year, int month, int day, int hour, int minute, int second) {
  if (year < 1980) {
    year = 1980, month = 1, day = 1, hour = 0, minute = 0, second = 0;
  } else if (year > 2107) {
    year = 2107, month = 12, day = 31, hour = 23, minute = 59, second = 58;
  }
  DosStamp stamp;
  stamp.date = static_cast<std::uint16_t>((year - 1980) << 9 | month << 5 | day);
  stamp.time = static_cast<std::uint16_t>(hour << 11 | minute << 5 | second / 2);
  return stamp;
}

bool ShortNameOf(const std::string& fileName, std::string* shortName) {
  const std::size_t dot = cp936::FindFirst(fileName, '.');
  if (dot != cp936::FindLast(fileName, '.')) return false;
  const std::string base = fileName.substr(0, dot);
  const std::string extension = dot == cp936::npos ? std::string() : fileName.substr(dot + 1);
  if (!IsDosNamePart(base, 8)) return false;
  if (dot != cp936::npos && !IsDosNamePart(extension, 3)) return false;
  const std::string upperBase = cp936::UpperAscii(base);
  if (IsDeviceName(upperBase)) return false;
  std::string name = upperBase + std::string(8 - base.size(), ' ') + cp936::UpperAscii(extension) +
                     std::string(3 - extension.size(), ' ');
  if (static_cast<std::uint8_t>(name[0]) == kDeleted) name[0] = 0x05;
  *shortName = name;
  return true;
}

bool Image::ReadGeometry(std::size_t base, Geometry* g, std::string* problem) const {
  if (bytes_.size() < base + 512) {
    *problem = "文件太短，放不下引导扇区";
    return false;
  }
  g->base = base;
  g->bytesPerSector = Le16(bytes_, base + 11);
  g->sectorsPerCluster = Byte(bytes_, base + 13);
  g->reservedSectors = Le16(bytes_, base + 14);
  g->fatCount = Byte(bytes_, base + 16);
  g->rootEntries = Le16(bytes_, base + 17);
  const std::uint32_t totalSectors16 = Le16(bytes_, base + 19);
  const std::uint32_t media = Byte(bytes_, base + 21);
  g->fatSectors = Le16(bytes_, base + 22);
  g->totalSectors = totalSectors16 != 0 ? totalSectors16 : Le32(bytes_, base + 32);

  const std::uint32_t bps = g->bytesPerSector;
  if (bps != 512 && bps != 1024 && bps != 2048 && bps != 4096) {
    *problem = "引导扇区中的每扇区字节数（" + Num(bps) + "）不可能";
  } else if (!IsPowerOfTwo(g->sectorsPerCluster) || g->sectorsPerCluster > 128) {
    *problem = "引导扇区中的每簇扇区数（" + Num(g->sectorsPerCluster) + "）不可能";
  } else if (bps * g->sectorsPerCluster > 32768) {
    *problem = "引导扇区中的簇大小（" + Num(bps * g->sectorsPerCluster) + "字节）超过32KB";
  } else if (g->reservedSectors == 0) {
    *problem = "引导扇区中的保留扇区数为0";
  } else if (g->fatCount != 1 && g->fatCount != 2) {
    *problem = "引导扇区中的FAT份数（" + Num(g->fatCount) + "）不是1或2";
  } else if (g->rootEntries == 0) {
    *problem = "引导扇区中的根目录项数为0";
  } else if (g->rootEntries * kEntryBytes % bps != 0) {
    *problem = "引导扇区中的根目录项数（" + Num(g->rootEntries) + "项，每项32字节）占不满整数个扇区（每扇区" +
               Num(bps) + "字节）";
  } else if (media != 0xF0 && media < 0xF8) {
    *problem = "引导扇区中的介质描述符不可能";
  } else if (g->fatSectors == 0) {
    *problem = "引导扇区中没有FAT12/FAT16的FAT大小（可能是FAT32或根本不是FAT卷）";
  } else if (g->totalSectors == 0) {
    *problem = "引导扇区中的总扇区数为0";
  }
  if (!problem->empty()) return false;

  const std::uint64_t rootSectors = std::uint64_t{g->rootEntries} * kEntryBytes / bps;
  const std::uint64_t metaSectors = g->reservedSectors + std::uint64_t{g->fatCount} * g->fatSectors + rootSectors;
  if (g->totalSectors <= metaSectors) {
    *problem = "引导扇区中的总扇区数（" + Num(g->totalSectors) + "）放不下保留区、FAT和根目录";
    return false;
  }
  g->clusterCount = static_cast<std::uint32_t>((g->totalSectors - metaSectors) / g->sectorsPerCluster);
  if (g->clusterCount == 0) {
    *problem = "卷上没有数据簇";
    return false;
  }
  if (g->clusterCount >= 65525) {
    *problem = "卷有" + Num(g->clusterCount) + "个簇，是FAT32卷，不是FAT12/FAT16卷";
    return false;
  }
  g->fatBits = g->clusterCount < 4085 ? 12 : 16;
  g->fatBytes = std::size_t{g->fatSectors} * bps;
  const std::uint64_t fatNeeded =
      g->fatBits == 12 ? (std::uint64_t{g->clusterCount + 2} * 3 + 1) / 2 : std::uint64_t{g->clusterCount + 2} * 2;
  if (fatNeeded > g->fatBytes) {
    *problem = "引导扇区中的FAT大小（" + Num(g->fatSectors) + "个扇区）放不下卷上全部" + Num(g->clusterCount) + "个簇";
    return false;
  }
  const std::uint64_t volumeBytes = std::uint64_t{g->totalSectors} * bps;
  if (volumeBytes > 32u * 1024 * 1024) {
    *problem = "卷的大小（" + Num(volumeBytes) + "字节）超过32MB";
    return false;
  }
  if (base + volumeBytes > bytes_.size()) {
    *problem = "文件（" + Num(bytes_.size()) + "字节）比它的卷（" + Num(base + volumeBytes) + "字节）短，镜像不完整";
    return false;
  }
  g->fatOffset = base + std::size_t{g->reservedSectors} * bps;
  g->rootOffset = g->fatOffset + g->fatCount * g->fatBytes;
  g->dataOffset = g->rootOffset + static_cast<std::size_t>(rootSectors) * bps;
  g->clusterBytes = std::size_t{bps} * g->sectorsPerCluster;
  return true;
}

bool Image::Open(std::string bytes, std::string* problem) {
  bytes_ = std::move(bytes);
  g_ = Geometry();
  problem->clear();
  if (bytes_.size() > kMaxImageBytes) {
    *problem = "文件（" + Num(bytes_.size()) + "字节）大于32MB，不是软盘或小硬盘镜像";
    return false;
  }
  Geometry g;
  std::string bootSectorProblem;
  if (!ReadGeometry(0, &g, &bootSectorProblem)) {
    // Not a volume from the first byte: a master boot record whose first
    // partition holds the volume?
    constexpr std::size_t kFirstPartition = 446;
    const bool hasSignature = bytes_.size() >= 512 && Byte(bytes_, 510) == 0x55 && Byte(bytes_, 511) == 0xAA;
    const std::uint8_t status = hasSignature ? Byte(bytes_, kFirstPartition) : 0xFF;
    const std::uint8_t type = hasSignature ? Byte(bytes_, kFirstPartition + 4) : 0;
    if ((status != 0x00 && status != 0x80) || type == 0) {
      *problem = bootSectorProblem;
      return false;
    }
    if (type != 0x01 && type != 0x04 && type != 0x06 && type != 0x0E) {
      *problem = "第一个分区不是FAT12/FAT16分区";
      return false;
    }
    const std::uint32_t start = Le32(bytes_, kFirstPartition + 8);
    const std::uint32_t sectors = Le32(bytes_, kFirstPartition + 12);
    if (start == 0 || std::uint64_t{start} * 512 >= bytes_.size()) {
      *problem = "第一个分区的起始位置不在文件中";
      return false;
    }
    std::string partitionProblem;
    if (!ReadGeometry(std::size_t{start} * 512, &g, &partitionProblem)) {
      *problem = "第一个分区：" + partitionProblem;
      return false;
    }
    if (std::uint64_t{g.totalSectors} * g.bytesPerSector > std::uint64_t{sectors} * 512) {
      *problem = "第一个分区：卷比分区大";
      return false;
    }
  }
  g_ = g;
  for (std::uint32_t copy = 1; copy < g_.fatCount; ++copy) {
    if (bytes_.compare(g_.fatOffset + copy * g_.fatBytes, g_.fatBytes, bytes_, g_.fatOffset, g_.fatBytes) != 0) {
      *problem = "两份FAT不一致";
      return false;
    }
  }
  // Byte 37 of an extended boot sector (DOS 4 on) carries the dirty flag;
  // older ones have boot code there.
  const std::uint8_t signature = Byte(bytes_, g_.base + 38);
  // FAT16 also keeps a clean-shutdown bit in FAT[1].
  const bool dirty = ((signature == 0x28 || signature == 0x29) && (Byte(bytes_, g_.base + 37) & 0x01) != 0) ||
                     (g_.fatBits == 16 && (FatEntry(1) & 0x8000) == 0);
  if (dirty) {
    *problem = "卷标记为没有正常卸载（可能已损坏），请先用磁盘检查程序检查";
    return false;
  }
  // FAT[0] holds the boot sector's media byte with every higher bit set.
  const std::uint32_t high = g_.fatBits == 12 ? 0xF00 : 0xFF00;
  if (FatEntry(0) != (high | Byte(bytes_, g_.base + 21))) {
    *problem = "FAT的第一项与引导扇区中的介质描述符不符";
    return false;
  }
  return CheckVolume(problem);
}

std::uint32_t Image::FatEntry(std::uint32_t cluster) const {
  if (g_.fatBits == 12) {
    const std::uint32_t pair = Le16(bytes_, g_.fatOffset + cluster + cluster / 2);
    return cluster % 2 == 0 ? pair & 0xFFF : pair >> 4;
  }
  return Le16(bytes_, g_.fatOffset + std::size_t{cluster} * 2);
}

void Image::SetFatEntry(std::uint32_t cluster, std::uint32_t value) {
  for (std::uint32_t copy = 0; copy < g_.fatCount; ++copy) {
    const std::size_t fat = g_.fatOffset + copy * g_.fatBytes;
    if (g_.fatBits == 12) {
      const std::size_t at = fat + cluster + cluster / 2;
      const std::uint32_t pair = Le16(bytes_, at);
      Put16(&bytes_, at, cluster % 2 == 0 ? (pair & 0xF000) | (value & 0xFFF) : (pair & 0x000F) | (value << 4));
    } else {
      Put16(&bytes_, fat + std::size_t{cluster} * 2, value);
    }
  }
}

std::uint32_t Image::EndOfChain() const { return g_.fatBits == 12 ? 0xFFF : 0xFFFF; }

bool Image::IsEndOfChain(std::uint32_t value) const { return value >= (g_.fatBits == 12 ? 0xFF8u : 0xFFF8u); }

bool Image::Chain(std::uint32_t first, std::vector<std::uint32_t>* clusters, std::string* problem) const {
  clusters->clear();
  const std::uint32_t last = g_.clusterCount + 1;
  const std::uint32_t bad = g_.fatBits == 12 ? 0xFF7 : 0xFFF7;
  std::uint32_t cluster = first;
  for (;;) {
    if (cluster < 2 || cluster > last) {
      *problem = "簇链超出了卷的范围";
      return false;
    }
    if (clusters->size() >= g_.clusterCount) {
      *problem = "簇链形成了环";
      return false;
    }
    clusters->push_back(cluster);
    const std::uint32_t next = FatEntry(cluster);
    if (IsEndOfChain(next)) return true;
    if (next == 0) {
      *problem = "簇链中有空闲簇";
      return false;
    }
    if (next == bad) {
      *problem = "簇链中有坏簇";
      return false;
    }
    cluster = next;
  }
}

std::size_t Image::ClusterOffset(std::uint32_t cluster) const {
  return g_.dataOffset + std::size_t{cluster - 2} * g_.clusterBytes;
}

std::vector<std::size_t> Image::Slots(Folder folder) const {
  std::vector<std::size_t> slots;
  if (folder.cluster == 0) {
    for (std::size_t i = 0; i < g_.rootEntries; ++i) slots.push_back(g_.rootOffset + i * kEntryBytes);
    return slots;
  }
  std::vector<std::uint32_t> clusters;
  std::string ignored;
  Chain(folder.cluster, &clusters, &ignored);
  for (std::uint32_t cluster : clusters) {
    for (std::size_t i = 0; i < g_.clusterBytes / kEntryBytes; ++i) {
      slots.push_back(ClusterOffset(cluster) + i * kEntryBytes);
    }
  }
  return slots;
}

bool Image::CheckVolume(std::string* problem) const {
  std::vector<std::uint8_t> used(std::size_t{g_.clusterCount} + 2, 0);
  if (!CheckFolder(Folder(), 0, 0, "\\", &used, problem)) return false;
  // The boot sector repeats the root's volume label in its extended fields
  // ("NO NAME" without one); a disk checker wants both alike.
  std::string rootLabel = "NO NAME    ";
  for (std::size_t slot : Slots(Folder())) {
    const std::uint8_t first = Byte(bytes_, slot);
    const std::uint8_t attributes = Byte(bytes_, slot + 11);
    if (first != 0x00 && first != kDeleted && attributes != kAttrLongName && (attributes & kAttrVolume) != 0) {
      rootLabel = bytes_.substr(slot, 11);
    }
  }
  const bool extended = Byte(bytes_, g_.base + 38) == 0x29;
  if (extended ? bytes_.compare(g_.base + 43, 11, rootLabel) != 0 : rootLabel != "NO NAME    ") {
    *problem = "引导扇区中的卷标与根目录中的卷标不一致";
    return false;
  }
  const std::uint32_t bad = g_.fatBits == 12 ? 0xFF7 : 0xFFF7;
  std::uint32_t lost = 0;
  for (std::uint32_t cluster = 2; cluster <= g_.clusterCount + 1; ++cluster) {
    const std::uint32_t value = FatEntry(cluster);
    if (value != 0 && value != bad && used[cluster] == 0) ++lost;
  }
  if (lost != 0) {
    *problem = "FAT中有" + Num(lost) + "个簇标为已用，却不属于任何文件（丢失的簇）";
    return false;
  }
  return true;
}

bool Image::CheckFolder(Folder folder, std::uint32_t parent, int depth, const std::string& path,
                        std::vector<std::uint8_t>* used, std::string* problem) const {
  if (depth > 32) {
    *problem = "文件夹" + path + "嵌套太深";
    return false;
  }
  const std::vector<std::size_t> slots = Slots(folder);
  std::set<std::string> names;
  bool longNamePending = false;
  std::uint32_t longNameNext = 0;
  std::uint8_t longNameSum = 0;
  int labels = 0;
  const std::string brokenLongName = "文件夹" + path + "中有残缺的长文件名项";

  bool ended = false;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    const std::size_t slot = slots[i];
    const std::uint8_t first = Byte(bytes_, slot);
    if (folder.cluster != 0 && i < 2) {
      // A sub-folder starts with "." (itself) and ".." (its parent, 0 for
      // the root).
      const char* dots = i == 0 ? ".          " : "..         ";
      const std::uint8_t attributes = Byte(bytes_, slot + 11);
      if (bytes_.compare(slot, 11, dots) != 0 || (attributes & (kAttrDirectory | kAttrVolume)) != kAttrDirectory ||
          (attributes & 0xC0) != 0 || (Byte(bytes_, slot + 12) & ~(kLowerCaseBase | kLowerCaseExtension)) != 0 ||
          Le16(bytes_, slot + 26) != (i == 0 ? folder.cluster : parent) || Le32(bytes_, slot + 28) != 0) {
        *problem = "文件夹" + path + "的“.”和“..”项不对";
        return false;
      }
      continue;
    }
    if (ended && first != 0x00) {
      // DOS stops at the end mark; a disk checker reads on.
      *problem = "文件夹" + path + "的结束标记之后还有目录项";
      return false;
    }
    if (first == 0x00 || first == kDeleted) {
      if (longNamePending) {
        *problem = brokenLongName;
        return false;
      }
      ended = ended || first == 0x00;
      continue;
    }
    const std::uint8_t attributes = Byte(bytes_, slot + 11);
    if ((attributes & 0xC0) != 0) {
      *problem = "文件夹" + path + "中有属性无效的目录项";
      return false;
    }
    if (attributes == kAttrLongName) {
      const std::uint8_t sum = Byte(bytes_, slot + 13);
      if (Byte(bytes_, slot + 12) != 0 || Le16(bytes_, slot + 26) != 0) {
        *problem = brokenLongName;
        return false;
      }
      if ((first & 0x40) != 0) {
        const std::uint32_t count = first & 0x3F;
        if (longNamePending || count == 0 || count > 20) {
          *problem = brokenLongName;
          return false;
        }
        longNamePending = true;
        longNameNext = count - 1;
        longNameSum = sum;
      } else if (!longNamePending || first != longNameNext || longNameNext == 0 || sum != longNameSum) {
        *problem = brokenLongName;
        return false;
      } else {
        --longNameNext;
      }
      continue;
    }

    const char* name = bytes_.data() + slot;
    if (longNamePending && (longNameNext != 0 || ShortNameChecksum(name) != longNameSum)) {
      *problem = brokenLongName;
      return false;
    }
    longNamePending = false;
    const std::uint32_t cluster = Le16(bytes_, slot + 26);
    const std::uint32_t size = Le32(bytes_, slot + 28);

    if ((attributes & kAttrVolume) != 0) {
      if (folder.cluster != 0 || (attributes & kAttrDirectory) != 0 || cluster != 0 || size != 0 || ++labels > 1) {
        *problem = "文件夹" + path + "中有无效的卷标项";
        return false;
      }
      continue;
    }
    if ((Byte(bytes_, slot + 12) & ~(kLowerCaseBase | kLowerCaseExtension)) != 0) {
      *problem = "文件夹" + path + "中有带无效标志的目录项";
      return false;
    }
    const bool isDirectory = (attributes & kAttrDirectory) != 0;
    const std::string display = path + DisplayName(std::string(name, 11));
    if (name[0] == '.' || !IsSoundShortName(name)) {
      *problem = "文件夹" + path + "中有无效的短文件名";
      return false;
    }
    if (!names.insert(std::string(name, 11)).second) {
      *problem = "文件夹" + path + "中有重复的文件名" + DisplayName(std::string(name, 11));
      return false;
    }
    if (!isDirectory && cluster == 0) {
      if (size != 0) {
        *problem = "文件" + display + "有大小却没有簇";
        return false;
      }
      continue;
    }
    if (isDirectory && (size != 0 || cluster == 0)) {
      *problem = "文件夹" + display + "的目录项无效";
      return false;
    }
    std::vector<std::uint32_t> clusters;
    std::string chainProblem;
    if (!Chain(cluster, &clusters, &chainProblem)) {
      *problem = (isDirectory ? "文件夹" : "文件") + display + "的" + chainProblem;
      return false;
    }
    if (!isDirectory && clusters.size() != (std::uint64_t{size} + g_.clusterBytes - 1) / g_.clusterBytes) {
      *problem = "文件" + display + "的大小与它的簇链长度不符";
      return false;
    }
    for (std::uint32_t c : clusters) {
      if ((*used)[c] != 0) {
        *problem = (isDirectory ? "文件夹" : "文件") + display + "与另一个文件共用簇（交叉链接）";
        return false;
      }
      (*used)[c] = 1;
    }
    if (isDirectory) {
      Folder sub;
      sub.cluster = cluster;
      if (!CheckFolder(sub, folder.cluster, depth + 1, display + "\\", used, problem)) return false;
    }
  }
  if (longNamePending) {
    *problem = brokenLongName;
    return false;
  }
  return true;
}

std::size_t Image::FindSlot(Folder folder, const std::string& shortName) const {
  const std::string wanted = cp936::UpperAscii(shortName);
  for (std::size_t slot : Slots(folder)) {
    const std::uint8_t first = Byte(bytes_, slot);
    if (first == 0x00) break;
    const std::uint8_t attributes = Byte(bytes_, slot + 11);
    if (first == kDeleted || attributes == kAttrLongName || (attributes & kAttrVolume) != 0) continue;
    if (cp936::UpperAscii(bytes_.substr(slot, 11)) == wanted) return slot;
  }
  return 0;
}

bool Image::FindFolder(const std::string& path, Folder* folder) const {
  Folder current;
  std::size_t at = 0;
  while (at < path.size()) {
    std::size_t end = path.size();
    for (std::size_t i = at; i < path.size(); ++i) {
      if (cp936::IsLeadByte(static_cast<std::uint8_t>(path[i]))) {
        ++i;
      } else if (path[i] == '\\') {
        end = i;
        break;
      }
    }
    std::string shortName;
    if (!ShortNameOf(path.substr(at, end - at), &shortName)) return false;
    const std::size_t slot = FindSlot(current, shortName);
    if (slot == 0 || (Byte(bytes_, slot + 11) & kAttrDirectory) == 0) return false;
    current.cluster = Le16(bytes_, slot + 26);
    at = end + 1;
  }
  *folder = current;
  return true;
}

std::size_t Image::SlotOf(const std::string& path) const {
  const std::size_t cut = cp936::LastBackslash(path);
  Folder folder;
  if (!FindFolder(cut == cp936::npos ? std::string() : path.substr(0, cut), &folder)) return 0;
  std::string shortName;
  if (!ShortNameOf(path.substr(cut == cp936::npos ? 0 : cut + 1), &shortName)) return 0;
  return FindSlot(folder, shortName);
}

Image::Entry Image::Find(const std::string& path) const {
  const std::size_t slot = SlotOf(path);
  if (slot == 0) return Entry::kMissing;
  return (Byte(bytes_, slot + 11) & kAttrDirectory) != 0 ? Entry::kFolder : Entry::kFile;
}

bool Image::ReadFile(const std::string& path, std::string* content) const {
  const std::size_t slot = SlotOf(path);
  if (slot == 0 || (Byte(bytes_, slot + 11) & kAttrDirectory) != 0) return false;
  const std::uint32_t size = Le32(bytes_, slot + 28);
  content->clear();
  if (size == 0) return true;
  std::vector<std::uint32_t> clusters;
  std::string ignored;
  if (!Chain(Le16(bytes_, slot + 26), &clusters, &ignored)) return false;
  for (std::uint32_t cluster : clusters) content->append(bytes_, ClusterOffset(cluster), g_.clusterBytes);
  content->resize(size);
  return true;
}

std::uint32_t Image::FreeClusters() const {
  std::uint32_t free = 0;
  for (std::uint32_t cluster = 2; cluster <= g_.clusterCount + 1; ++cluster) {
    if (FatEntry(cluster) == 0) ++free;
  }
  return free;
}

bool Image::Allocate(std::uint32_t count, std::vector<std::uint32_t>* clusters) {
  clusters->clear();
  if (count == 0) return true;
  for (std::uint32_t cluster = 2; cluster <= g_.clusterCount + 1 && clusters->size() < count; ++cluster) {
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

bool Image::WriteFile(const std::string& folderPath, const std::string& name, const std::string& content,
                      DosStamp stamp, std::string* problem) {
  std::string shortName;
  if (!ShortNameOf(name, &shortName)) {
    *problem = name + "不是DOS的8.3文件名";
    return false;
  }
  Folder folder;
  if (!FindFolder(folderPath, &folder)) {
    *problem = "镜像中没有文件夹\\" + folderPath;
    return false;
  }
  const std::string shown = folderPath.empty() ? "\\" + name : "\\" + folderPath + "\\" + name;
  const auto noSpace = [&](std::uint64_t neededBytes) {
    *problem = "镜像中没有足够的空间放" + shown + "（需要" + Num((neededBytes + 1023) / 1024) + "KB，只剩" +
               Num((std::uint64_t{FreeClusters()} * g_.clusterBytes) / 1024) + "KB）";
    return false;
  };

  std::size_t slot = FindSlot(folder, shortName);
  if (slot != 0) {
    if ((Byte(bytes_, slot + 11) & (kAttrDirectory | kAttrVolume)) != 0) {
      *problem = "镜像中的" + shown + "是文件夹，不是文件";
      return false;
    }
    FreeChain(Le16(bytes_, slot + 26));
  } else {
    const std::vector<std::size_t> slots = Slots(folder);
    for (std::size_t i = 0; i < slots.size() && slot == 0; ++i) {
      const std::uint8_t first = Byte(bytes_, slots[i]);
      if (first == kDeleted) slot = slots[i];
      if (first == 0x00) slot = slots[i];  // the end mark; the slots after it are all free
    }
    if (slot == 0) {
      std::vector<std::uint32_t> grown;
      if (folder.cluster == 0) {
        *problem = "镜像的根目录已满";
        return false;
      }
      if (!Allocate(1, &grown)) return noSpace(content.size() + g_.clusterBytes);
      std::vector<std::uint32_t> clusters;
      std::string ignored;
      Chain(folder.cluster, &clusters, &ignored);
      SetFatEntry(clusters.back(), grown[0]);
      std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(ClusterOffset(grown[0])), g_.clusterBytes, '\0');
      slot = ClusterOffset(grown[0]);
    }
    std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(slot), kEntryBytes, '\0');
    bytes_.replace(slot, 11, shortName);
    bytes_[slot + 11] = static_cast<char>(kAttrArchive);
    bytes_[slot + 12] = static_cast<char>(LowerCaseFlags(name));
    Put16(&bytes_, slot + 14, stamp.time);
    Put16(&bytes_, slot + 16, stamp.date);
  }

  const std::uint64_t needed = (std::uint64_t{content.size()} + g_.clusterBytes - 1) / g_.clusterBytes;
  std::vector<std::uint32_t> clusters;
  if (needed > g_.clusterCount || !Allocate(static_cast<std::uint32_t>(needed), &clusters)) {
    return noSpace(content.size());
  }
  for (std::size_t i = 0; i < clusters.size(); ++i) {
    const std::size_t at = ClusterOffset(clusters[i]);
    const std::size_t from = i * g_.clusterBytes;
    const std::size_t n = std::min(g_.clusterBytes, content.size() - from);
    bytes_.replace(at, n, content, from, n);
    std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(at + n), g_.clusterBytes - n, '\0');
  }
  Put16(&bytes_, slot + 18, stamp.date);
  Put16(&bytes_, slot + 22, stamp.time);
  Put16(&bytes_, slot + 24, stamp.date);
  Put16(&bytes_, slot + 26, clusters.empty() ? 0 : clusters[0]);
  Put32(&bytes_, slot + 28, static_cast<std::uint32_t>(content.size()));
  return true;
}

}  // namespace fat
