#include "library/protocol_ini.h"

#include "text/cp936_path.h"

namespace {

// The devices the DOS network client's own drivers register, as the
// PROTOCOL.INI sections its setup writes name them: Microsoft Network
// Client 3.0 and LAN Manager 2.2 for MS-DOS (PROTMAN.DOS, NDISHLP.SYS, the
// TCP/IP, NWLINK, NetBEUI, DLC, IPX and XNS protocols), Windows 9x real-mode
// networking, and DIS_PKT, the packet driver shim boot disks add. A card's
// driver never registers one of them.
constexpr std::string_view kClientDevices[] = {
    "PROTMAN$", "NDISHLP$", "TCPIP$", "NWLINK$", "NETBEUI$", "MSDLC$", "DLC$", "IPX$", "XNSTP$", "PKTDRV$",
};

}  // namespace

bool IsClientDevice(std::string_view name) {
  const std::string read = text::ClientValue(name);
  for (const std::string_view device : kClientDevices) {
    if (cp936::EqualIgnoringCase(read, device)) return true;
  }
  return false;
}

std::vector<CardSection> CardSections(const std::vector<text::IniLine>& lines) {
  std::vector<CardSection> cards;
  const text::IniSections sections(lines);
  for (const text::IniSection& section : sections.All()) {
    CardSection card{section.name, {}};
    bool bound = false, client = false;
    for (const text::IniLine* line : section.keyLines) {
      bound = bound || line->HasKey("BINDINGS");
      if (!line->HasKey("DriverName")) continue;
      client = client || IsClientDevice(line->value);
      card.driverNames.push_back(line);
    }
    if (!bound && !client && !card.driverNames.empty()) cards.push_back(std::move(card));
  }
  return cards;
}

const text::IniLine* BoundCardDriverNameLine(const std::vector<text::IniLine>& lines) {
  const std::vector<CardSection> cards = CardSections(lines);
  const text::IniSections sections(lines);
  for (const text::IniLine& line : lines) {
    if (!line.HasKey("BINDINGS")) continue;
    for (const std::string& bound : text::ClientValueList(line.value)) {
      const text::IniSection* section = sections.Find(bound);
      if (section == nullptr) continue;
      // The first section a binding names decides, so this runs once.
      for (const CardSection& card : cards) {
        if (cp936::EqualIgnoringCase(text::ClientValue(card.name), text::ClientValue(section->name))) {
          return card.driverNames.front();
        }
      }
      return nullptr;
    }
  }
  return cards.empty() ? nullptr : cards.front().driverNames.front();
}
