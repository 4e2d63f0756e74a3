// A FAT directory entry: the 32-byte slot of a folder, read into named
// fields and written back from them. The only place that knows where a
// field lies in a slot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "fat/dos_name.h"

namespace fat {

constexpr std::size_t kEntryBytes = 32;

constexpr std::uint8_t kAttrVolume = 0x08;
constexpr std::uint8_t kAttrDirectory = 0x10;
constexpr std::uint8_t kAttrArchive = 0x20;
constexpr std::uint8_t kAttrLongName = 0x0F;  // read-only, hidden, system and volume together
constexpr std::uint8_t kAttrReserved = 0xC0;

struct DirEntry {
  std::string name;  // the 11 stored bytes, blank-padded ("E100B   DOS")
  std::uint8_t attributes = 0;
  std::uint8_t caseFlags = 0;  // kLowerCaseBase, kLowerCaseExtension
  DosStamp created;
  std::uint16_t accessDate = 0;
  DosStamp modified;
  std::uint32_t firstCluster = 0;  // 0 for an empty file
  std::uint32_t size = 0;

  // The entry in the slot at `slot` of `image`, which holds all 32 bytes.
  static DirEntry Read(const std::string& image, std::size_t slot);
  // Puts the fields into the slot; the bytes no field holds (the creation
  // time's hundredths, FAT32's high cluster half) are left as they are, so
  // the slot of a new entry is cleared before.
  void Write(std::string* image, std::size_t slot) const;

  // The end mark: this slot and all after it are unused.
  bool IsEndMark() const { return name[0] == '\0'; }
  bool IsDeleted() const { return static_cast<std::uint8_t>(name[0]) == kDeletedMark; }
  bool IsLongNamePart() const { return attributes == kAttrLongName; }
  bool IsVolumeLabel() const { return !IsLongNamePart() && (attributes & kAttrVolume) != 0; }
  bool IsFolder() const { return (attributes & kAttrDirectory) != 0; }
  bool HasReservedAttributes() const { return (attributes & kAttrReserved) != 0; }
  bool HasUnknownCaseFlags() const { return (caseFlags & ~(kLowerCaseBase | kLowerCaseExtension)) != 0; }
};

// The fields of a long-name part (a slot whose attributes are
// kAttrLongName) that tie it to its neighbours and its short entry; the name
// characters it carries are not read.
struct LongNamePart {
  std::uint8_t order = 0;          // its sequence number; the slot stored first carries kLastPart
  std::uint8_t type = 0;           // 0 for a name part
  std::uint8_t checksum = 0;       // ShortNameChecksum of the short entry it belongs to
  std::uint32_t firstCluster = 0;  // always 0

  static constexpr std::uint8_t kLastPart = 0x40;

  static LongNamePart Read(const std::string& image, std::size_t slot);

  bool IsLastPart() const { return (order & kLastPart) != 0; }
  std::uint32_t Number() const { return order & 0x3F; }
};

}  // namespace fat
