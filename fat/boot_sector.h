// The boot sector of a FAT12 or FAT16 volume, read once into named fields,
// and the layout of the volume they give.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fat {

struct BootSector {
  // As the boot sector stores them. The extended fields of DOS 4 on (dirty
  // flag, serial number, label) are not read: the build leaves them as
  // found, whatever they hold, and DOS 3 has boot code in their place.
  std::uint32_t bytesPerSector = 0;
  std::uint32_t sectorsPerCluster = 0;
  std::uint32_t reservedSectors = 0;
  std::uint32_t fatCount = 0;
  std::uint32_t rootEntries = 0;
  std::uint32_t totalSectors = 0;  // the 16-bit count, or the 32-bit one where that is 0
  std::uint8_t media = 0;
  std::uint32_t fatSectors = 0;

  // What they give; offsets are from the image's start, sizes in bytes.
  std::size_t base = 0;            // the boot sector itself
  std::uint32_t clusterCount = 0;  // data clusters, numbered 2 ..
  int fatBits = 0;                 // 12 or 16
  std::size_t fatOffset = 0;       // the first FAT
  std::size_t fatBytes = 0;
  std::size_t rootOffset = 0;
  std::size_t dataOffset = 0;
  std::size_t clusterBytes = 0;
};

// Reads the boot sector of `image`'s volume: at its first byte (a floppy or
// "superfloppy"), or else at the first partition of the master boot record
// it starts with, whose type must be a FAT12/FAT16 one and which must hold
// the whole volume. Refused, with the reason in Chinese in `*problem`: no
// such boot sector; values that are impossible or do not fit together (the
// FAT type is the one the cluster count gives, and the FATs must have room
// for every cluster); a FAT32 volume; a volume over 32 MB or longer than
// the image. Reads only; `*sector` is complete only when it returns true.
bool ReadBootSector(const std::string& image, BootSector* sector, std::string* problem);

}  // namespace fat
