#include "fat/dir_entry.h"

#include "fat/little_endian.h"

namespace fat {

namespace {

// Where the fields lie in a slot.
constexpr std::size_t kName = 0;
constexpr std::size_t kNameBytes = 11;
constexpr std::size_t kAttributes = 11;
constexpr std::size_t kCaseFlags = 12;  // a long-name part's type
constexpr std::size_t kChecksum = 13;   // in a long-name part
constexpr std::size_t kCreatedTime = 14;
constexpr std::size_t kCreatedDate = 16;
constexpr std::size_t kAccessDate = 18;
constexpr std::size_t kModifiedTime = 22;
constexpr std::size_t kModifiedDate = 24;
constexpr std::size_t kFirstCluster = 26;
constexpr std::size_t kSize = 28;

}  // namespace

DirEntry DirEntry::Read(const std::string& image, std::size_t slot) {
  DirEntry entry;
  entry.name = image.substr(slot + kName, kNameBytes);
  entry.attributes = Byte(image, slot + kAttributes);
  entry.caseFlags = Byte(image, slot + kCaseFlags);
  entry.created.time = static_cast<std::uint16_t>(Le16(image, slot + kCreatedTime));
  entry.created.date = static_cast<std::uint16_t>(Le16(image, slot + kCreatedDate));
  entry.accessDate = static_cast<std::uint16_t>(Le16(image, slot + kAccessDate));
  entry.modified.time = static_cast<std::uint16_t>(Le16(image, slot + kModifiedTime));
  entry.modified.date = static_cast<std::uint16_t>(Le16(image, slot + kModifiedDate));
  entry.firstCluster = Le16(image, slot + kFirstCluster);
  entry.size = Le32(image, slot + kSize);
  return entry;
}

void DirEntry::Write(std::string* image, std::size_t slot) const {
  name.copy(&(*image)[slot + kName], kNameBytes);
  (*image)[slot + kAttributes] = static_cast<char>(attributes);
  (*image)[slot + kCaseFlags] = static_cast<char>(caseFlags);
  Put16(image, slot + kCreatedTime, created.time);
  Put16(image, slot + kCreatedDate, created.date);
  Put16(image, slot + kAccessDate, accessDate);
  Put16(image, slot + kModifiedTime, modified.time);
  Put16(image, slot + kModifiedDate, modified.date);
  Put16(image, slot + kFirstCluster, firstCluster);
  Put32(image, slot + kSize, size);
}

LongNamePart LongNamePart::Read(const std::string& image, std::size_t slot) {
  LongNamePart part;
  part.order = Byte(image, slot + kName);
  part.type = Byte(image, slot + kCaseFlags);
  part.checksum = Byte(image, slot + kChecksum);
  part.firstCluster = Le16(image, slot + kFirstCluster);
  return part;
}

}  // namespace fat
