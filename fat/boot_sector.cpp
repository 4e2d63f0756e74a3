#include "fat/boot_sector.h"

#include "fat/dir_entry.h"
#include "fat/little_endian.h"
#include "fat/refusal.h"

namespace fat {

namespace {

bool IsPowerOfTwo(std::uint32_t n) { return n != 0 && (n & (n - 1)) == 0; }

// The boot sector at `base`: its fields, checked, and the layout.
bool ReadBootSectorAt(const std::string& image, std::size_t base, BootSector* s, std::string* problem) {
  if (image.size() < base + 512) return Refuse(problem, "文件太短，放不下引导扇区");
  s->base = base;
  s->bytesPerSector = Le16(image, base + 11);
  s->sectorsPerCluster = Byte(image, base + 13);
  s->reservedSectors = Le16(image, base + 14);
  s->fatCount = Byte(image, base + 16);
  s->rootEntries = Le16(image, base + 17);
  const std::uint32_t totalSectors16 = Le16(image, base + 19);
  s->totalSectors = totalSectors16 != 0 ? totalSectors16 : Le32(image, base + 32);
  s->media = Byte(image, base + 21);
  s->fatSectors = Le16(image, base + 22);

  const std::uint32_t bps = s->bytesPerSector;
  if (bps != 512 && bps != 1024 && bps != 2048 && bps != 4096) {
    return Refuse(problem, "引导扇区中的每扇区字节数（" + std::to_string(bps) + "）不可能");
  }
  if (!IsPowerOfTwo(s->sectorsPerCluster) || s->sectorsPerCluster > 128) {
    return Refuse(problem, "引导扇区中的每簇扇区数（" + std::to_string(s->sectorsPerCluster) + "）不可能");
  }
  if (bps * s->sectorsPerCluster > 32768) {
    return Refuse(problem, "引导扇区中的簇大小（" + std::to_string(bps * s->sectorsPerCluster) + "字节）超过32KB");
  }
  if (s->reservedSectors == 0) return Refuse(problem, "引导扇区中的保留扇区数为0");
  if (s->fatCount != 1 && s->fatCount != 2) {
    return Refuse(problem, "引导扇区中的FAT份数（" + std::to_string(s->fatCount) + "）不是1或2");
  }
  if (s->rootEntries == 0) return Refuse(problem, "引导扇区中的根目录项数为0");
  if (s->rootEntries * kEntryBytes % bps != 0) {
    return Refuse(problem, "引导扇区中的根目录项数（" + std::to_string(s->rootEntries) +
                               "项，每项32字节）占不满整数个扇区（每扇区" + std::to_string(bps) + "字节）");
  }
  if (s->media != 0xF0 && s->media < 0xF8) return Refuse(problem, "引导扇区中的介质描述符不可能");
  if (s->fatSectors == 0) return Refuse(problem, "引导扇区中没有FAT12/FAT16的FAT大小（可能是FAT32或根本不是FAT卷）");
  if (s->totalSectors == 0) return Refuse(problem, "引导扇区中的总扇区数为0");

  const std::uint64_t rootSectors = std::uint64_t{s->rootEntries} * kEntryBytes / bps;
  const std::uint64_t metaSectors = s->reservedSectors + std::uint64_t{s->fatCount} * s->fatSectors + rootSectors;
  if (s->totalSectors <= metaSectors) {
    return Refuse(problem, "引导扇区中的总扇区数（" + std::to_string(s->totalSectors) + "）放不下保留区、FAT和根目录");
  }
  s->clusterCount = static_cast<std::uint32_t>((s->totalSectors - metaSectors) / s->sectorsPerCluster);
  if (s->clusterCount == 0) return Refuse(problem, "卷上没有数据簇");
  if (s->clusterCount >= 65525) {
    return Refuse(problem, "卷有" + std::to_string(s->clusterCount) + "个簇，是FAT32卷，不是FAT12/FAT16卷");
  }
  s->fatBits = s->clusterCount < 4085 ? 12 : 16;
  s->fatBytes = std::size_t{s->fatSectors} * bps;
  const std::uint64_t fatNeeded =
      s->fatBits == 12 ? (std::uint64_t{s->clusterCount + 2} * 3 + 1) / 2 : std::uint64_t{s->clusterCount + 2} * 2;
  if (fatNeeded > s->fatBytes) {
    return Refuse(problem, "引导扇区中的FAT大小（" + std::to_string(s->fatSectors) + "个扇区）放不下卷上全部" +
                               std::to_string(s->clusterCount) + "个簇");
  }
  const std::uint64_t volumeBytes = std::uint64_t{s->totalSectors} * bps;
  if (volumeBytes > 32u * 1024 * 1024) {
    return Refuse(problem, "卷的大小（" + std::to_string(volumeBytes) + "字节）超过32MB");
  }
  if (base + volumeBytes > image.size()) {
    return Refuse(problem, "文件（" + std::to_string(image.size()) + "字节）比它的卷（" +
                               std::to_string(base + volumeBytes) + "字节）短，镜像不完整");
  }
  s->fatOffset = base + std::size_t{s->reservedSectors} * bps;
  s->rootOffset = s->fatOffset + s->fatCount * s->fatBytes;
  s->dataOffset = s->rootOffset + static_cast<std::size_t>(rootSectors) * bps;
  s->clusterBytes = std::size_t{bps} * s->sectorsPerCluster;
  return true;
}

}  // namespace

bool ReadBootSector(const std::string& image, BootSector* sector, std::string* problem) {
  std::string bootSectorProblem;
  if (ReadBootSectorAt(image, 0, sector, &bootSectorProblem)) return true;
  // Not a volume from the first byte: a master boot record whose first
  // partition holds the volume?
  constexpr std::size_t kFirstPartition = 446;
  const bool hasSignature = image.size() >= 512 && Byte(image, 510) == 0x55 && Byte(image, 511) == 0xAA;
  const std::uint8_t status = hasSignature ? Byte(image, kFirstPartition) : 0xFF;
  const std::uint8_t type = hasSignature ? Byte(image, kFirstPartition + 4) : 0;
  if ((status != 0x00 && status != 0x80) || type == 0) return Refuse(problem, bootSectorProblem);
  if (type != 0x01 && type != 0x04 && type != 0x06 && type != 0x0E) {
    return Refuse(problem, "第一个分区不是FAT12/FAT16分区");
  }
  const std::uint32_t start = Le32(image, kFirstPartition + 8);
  const std::uint32_t sectors = Le32(image, kFirstPartition + 12);
  if (start == 0 || std::uint64_t{start} * 512 >= image.size()) {
    return Refuse(problem, "第一个分区的起始位置不在文件中");
  }
  std::string partitionProblem;
  if (!ReadBootSectorAt(image, std::size_t{start} * 512, sector, &partitionProblem)) {
    return Refuse(problem, "第一个分区：" + partitionProblem);
  }
  if (std::uint64_t{sector->totalSectors} * sector->bytesPerSector > std::uint64_t{sectors} * 512) {
    return Refuse(problem, "第一个分区：卷比分区大");
  }
  return true;
}

}  // namespace fat
