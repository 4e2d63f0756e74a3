#include "cli/card_listing.h"

#include <cstdio>

#include "library/card_device_name.h"
#include "library/pci_ids.h"
#include "text/cp936_path.h"

namespace {

std::string DriverBelow(const std::string& driverPath, const std::string& libraryFolder) {
  const bool below = driverPath.size() > libraryFolder.size() &&
                     cp936::EqualIgnoringCase(driverPath.substr(0, libraryFolder.size()), libraryFolder);
  return below ? driverPath.substr(libraryFolder.size()) : driverPath;
}

std::string DeviceFields(const std::string& driverPath) {
  const CardDeviceName device = DeviceNameOfCard(driverPath);
  std::string reason;
  const bool refused = !CheckDeviceName(device, driverPath, &reason).empty();
  const std::string name = refused ? "refused: " + reason : device.name.empty() ? "-" : device.name;
  return name + "\t" + (device.source.empty() ? "file name" : cp936::FileNameOf(device.source));
}

std::string IdsField(const std::string& driverPath) {
  std::string field;
  for (const InfPciIds& inf : PciIdsOfCardByInf(driverPath)) {
    if (!field.empty()) field += "; ";
    for (const PciId& id : inf.ids) {
      char text[16];
      std::snprintf(text, sizeof text, "%04X:%04X ", id.vendor, id.device);
      field += text;
    }
    field += "(" + cp936::FileNameOf(inf.infPath) + ")";
  }
  return field.empty() ? "-" : field;
}

}  // namespace

std::string CardListingLine(const CardEntry& card, const std::string& libraryFolder) {
  return card.cardName + "\t" + DriverBelow(card.driverPath, libraryFolder) + "\t" + DeviceFields(card.driverPath) +
         "\t" + IdsField(card.driverPath);
}
