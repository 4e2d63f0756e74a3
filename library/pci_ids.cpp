#include "library/pci_ids.h"

#include <unordered_set>

#include "files/folder_walk.h"
#include "files/package_text.h"
#include "library/scan_driver_library.h"
#include "text/cp936_path.h"
#include "text/file_text.h"
#include "text/inf_text.h"

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

// The ids met so far, each once, in the order first met; a set finds
// those met before, as an INF can list thousands.
struct IdsOnce {
  std::vector<PciId> ids;
  std::unordered_set<std::uint32_t> seen;

  void Add(const PciId& id) {
    if (seen.insert(static_cast<std::uint32_t>(id.vendor) << 16 | id.device).second) ids.push_back(id);
  }
};

// True for a byte that can continue a name: a hardware id's part ends
// before it only where none follows ("DEV_81399" is no device 8139).
bool IsNameByte(char c) { return HexValue(c) >= 0 || (c >= 'G' && c <= 'Z') || c == '_'; }

}  // namespace

std::vector<PciId> PciIdsInText(std::string_view bytes) {
  const std::string upper = cp936::UpperAscii(text::InfTextOutsideStrings(text::FileText(bytes)));
  IdsOnce ids;
  constexpr std::string_view kVendor = "PCI\\VEN_";
  constexpr std::string_view kDevice = "&DEV_";
  for (std::size_t at = upper.find(kVendor); at != std::string::npos; at = upper.find(kVendor, at + 1)) {
    PciId id;
    const std::size_t device = at + kVendor.size() + 4;
    const std::size_t end = device + kDevice.size() + 4;
    if ((at == 0 || !IsNameByte(upper[at - 1])) && ReadHex4(upper, at + kVendor.size(), &id.vendor) &&
        upper.compare(device, kDevice.size(), kDevice) == 0 && ReadHex4(upper, device + kDevice.size(), &id.device) &&
        (end == upper.size() || !IsNameByte(upper[end]))) {
      ids.Add(id);
    }
  }
  return ids.ids;
}

std::vector<InfPciIds> PciIdsOfCardByInf(const std::string& driverPath) {
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
  IdsOnce ids;
  std::vector<InfPciIds> byInf;
  for (const std::string& inf : infs) {
    // A file larger than any real INF is not read at all: it gives no ids.
    std::string bytes;
    if ((drivers > 1 && !cp936::EqualIgnoringCase(cp936::FileNameOf(inf), ownInf)) ||
        ReadPackageText(inf, &bytes) != PackageTextRead::kRead) {
      continue;
    }
    const std::size_t before = ids.ids.size();
    for (const PciId& id : PciIdsInText(bytes)) ids.Add(id);
    if (ids.ids.size() == before) continue;
    byInf.push_back({inf, {ids.ids.begin() + static_cast<std::ptrdiff_t>(before), ids.ids.end()}});
  }
  return byInf;
}

std::vector<PciId> PciIdsOfCard(const std::string& driverPath) {
  std::vector<PciId> ids;
  for (const InfPciIds& inf : PciIdsOfCardByInf(driverPath)) ids.insert(ids.end(), inf.ids.begin(), inf.ids.end());
  return ids;
}
