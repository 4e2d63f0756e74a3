// What the details pane shows of a card: its driver file's name and the
// text of its card INI.
#pragma once

#include <string>

#include "library/card_entry.h"

struct CardDetails {
  std::string driverName;    // the driver file's name
  std::string protocolText;  // the card INI's text, every line ended by CR LF
};

// The driver file name of `card`, and the text of <card folder>\<DRV>.INI as
// a text-mode read gives it (a Ctrl-Z ends the text; a line ends at a NUL),
// every line ended by CR LF (a missing or unreadable file, or one over 1 MB
// that is no card INI, gives no text). Reads only.
CardDetails DetailsOf(const CardEntry& card);
