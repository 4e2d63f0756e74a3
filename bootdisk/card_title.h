// The titles that show cards where only plain ASCII can be shown: the
// network boot folder's PXELINUX and iPXE menus, and the boot program's
// menu on a DOS screen.
#pragma once

#include <string>
#include <vector>

// One card to title: its row in the card list and what it could be called.
struct TitleSource {
  int row = 0;
  std::string cardName;        // the card list's name
  std::string driverFileName;  // "RTL8139.DOS"
  std::string fallback;        // when neither can be shown ("RTL8139.IMG")
};

// The title of each card, in order: its name where that is printable ASCII,
// else its driver file's name where that is, else `fallback`, blanks around
// it trimmed (a title of blanks falls to the next), with the characters the
// menus read as markup ($ ^ { } # ; | & \ ` ' ") made '_'; where two cards
// would show the same title, each gets its row (1 the first) after it:
// "NIC (row 9)".
std::vector<std::string> CardTitles(const std::vector<TitleSource>& cards);
