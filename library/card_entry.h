// One driver file of the library: a card, as the card list shows it.
#pragma once

#include <cstdint>
#include <string>

struct CardEntry {
  std::int32_t rowIndex = 0;  // the row of the card list that shows it, 0-based
  std::string cardName;       // the row's text: the folder that directly holds the driver
  std::string driverPath;     // full path of the driver file
};
