// DOS 8.3 file names and date stamps as FAT directory entries store them.
// Pure text: nothing here reads or changes an image.
#pragma once

#include <cstdint>
#include <string>

namespace fat {

// A date and time as directory entries hold them (2-second steps).
struct DosStamp {
  std::uint16_t date = 0;
  std::uint16_t time = 0;
};
// Years 1980 to 2107; a date outside is clamped to that range.
DosStamp MakeDosStamp(int year, int month, int day, int hour, int minute, int second);

// A stored name starting with this byte is a deleted entry; a name whose
// first character really is 0xE5 (a code page 936 lead byte) is stored
// starting with 0x05 instead.
constexpr std::uint8_t kDeletedMark = 0xE5;

// The 11 bytes a directory entry stores for `fileName` ("E100B.DOS" gives
// "E100B   DOS"): a base name of 1 to 8 and an extension of up to 3
// characters that DOS accepts in file names (letters, digits,
// !#$%&'()-@^_`{}~ and code page 936 double-byte characters), ASCII letters
// upper-cased, and not a DOS device name (CON, NUL, COM1 …). False for any
// other name: DOS could not open such a file.
bool ShortNameOf(const std::string& fileName, std::string* shortName);

// A stored 11-byte name shown as typed, for messages: "E100B   DOS" gives
// "E100B.DOS", a leading 0x05 the 0xE5 it stands for.
std::string DisplayName(const std::string& stored);

// True when the stored 11-byte name is one a disk checker takes: no control
// characters or characters Windows forbids, no leading or embedded blank.
bool IsSoundShortName(const std::string& stored);

// The checksum of a stored 11-byte name that its long-name parts carry.
std::uint8_t ShortNameChecksum(const std::string& stored);

// Flags Windows reads from a directory entry to show the base name or the
// extension in lower case; no other flag is defined.
constexpr std::uint8_t kLowerCaseBase = 0x08;
constexpr std::uint8_t kLowerCaseExtension = 0x10;
// The flags for `fileName`: a part typed all in lower case is flagged, so
// that the entry is shown as the name stands in the driver library.
std::uint8_t LowerCaseFlags(const std::string& fileName);

}  // namespace fat
