#include "netboot/pci_ids.h"

#include "files/folder_walk.h"
#include "library/scan_driver_library.h"
#include "port/file_system.h"
#include "text/cp936_path.h"

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Four hexadecimal digits at `at`; false when there are not.
bool ReadHex4(std::string_view text, std::size_t at, std::uint16_t* value) {
  if (at + 4 > text.size()) return false;
  unsigned result = 0;
  for (std::size_t i = at; i < at + 4; ++i) {
    const int digit = HexValue(text[i]);
    if (digit < 0) return false;
    result = result * 16 + static_cast<unsigned>(digit);
  }
  *value = static_cast<std::uint16_t>(result);
  return true;
}

// UTF-16 text (little- or big-endian, after its byte order mark) as the
// single bytes of its characters below 0x100: the ids are plain ASCII.
std::string SingleBytes(std::string_view text) {
  const bool little = text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0xFF &&
                      static_cast<unsigned char>(text[1]) == 0xFE;
  const bool big = text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0xFE &&
                   static_cast<unsigned char>(text[1]) == 0xFF;
  if (!little && !big) return std::string(text);
  std::string bytes;
  for (std::size_t i = 2; i + 1 < text.size(); i += 2) {
    const char low = little ? text[i] : text[i + 1];
    const char high = little ? text[i + 1] : text[i];
    bytes += high == 0 ? low : '?';
  }
  return bytes;
}

void AddOnce(const PciId& id, std::vector<PciId>* ids) {
  for (const PciId& known : *ids) {
    if (known == id) return;
  }
  ids->push_back(id);
}

// `text` with every comment (from ';' to the end of its line) blanked out.
std::string WithoutComments(std::string text) {
  bool comment = false;
  for (char& c : text) {
    if (c == '\n') comment = false;
    if (c == ';') comment = true;
    if (comment) c = ' ';
  }
  return text;
}

}  // namespace

std::vector<PciId> PciIdsInText(std::string_view text) {
  const std::string upper = cp936::UpperAscii(WithoutComments(SingleBytes(text)));
  std::vector<PciId> ids;
  constexpr std::string_view kVendor = "PCI\\VEN_";
  constexpr std::string_view kDevice = "&DEV_";
  for (std::size_t at = upper.find(kVendor); at != std::string::npos; at = upper.find(kVendor, at + 1)) {
    PciId id;
    const std::size_t device = at + kVendor.size() + 4;
    if (ReadHex4(upper, at + kVendor.size(), &id.vendor) && upper.compare(device, kDevice.size(), kDevice) == 0 &&
        ReadHex4(upper, device + kDevice.size(), &id.device)) {
      AddOnce(id, &ids);
    }
  }
  return ids;
}

std::vector<PciId> PciIdsOfCard(const std::string& driverPath) {
  std::vector<std::string> infs;
  int drivers = 0;
  FolderWalk walk;
  walk.folder = cp936::FolderWithBackslashOf(driverPath);
  walk.recurse = false;
  Walk(walk, [&](const WalkEntry& entry) {
    if (entry.found.IsDirectory()) return WalkStep::kGoOn;
    if (IsDriverFileName(entry.found.name)) ++drivers;
    if (cp936::EndsWithIgnoringCase(entry.found.name, ".INF")) infs.push_back(entry.found.path);
    return WalkStep::kGoOn;
  });
  const std::string ownInf = cp936::BaseNameOf(driverPath) + ".INF";
  std::vector<PciId> ids;
  for (const std::string& inf : infs) {
    std::string text;
    if ((drivers > 1 && !cp936::EqualIgnoringCase(cp936::FileNameOf(inf), ownInf)) || !port::ReadFile(inf, &text)) {
      continue;
    }
    for (const PciId& id : PciIdsInText(text)) AddOnce(id, &ids);
  }
  return ids;
}
