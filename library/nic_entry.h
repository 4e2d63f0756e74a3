// One driver file of the library, as the main window knows it.
#pragma once

#include <cstdint>
#include <string>

struct NicEntry {
  std::int32_t rowIndex = 0;  // the row of the card list that shows it, 0-based
  std::string cardName;       // the row's text: the folder that directly holds the driver
  std::string driverPath;     // full path of the driver file
};
