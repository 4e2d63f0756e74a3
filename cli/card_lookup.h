// Which card a command line's CARD names.
#pragma once

#include <string>
#include <vector>

#include "library/card_list.h"

// The entries of `cards` that `typed` names: those of that name, letter
// case ignored as the library ignores it (SameCardFolderName); when none
// has it, the one whose driver file below `libraryFolder` it names as
// `list` shows it ("3C90X\NDIS2\EL90X.DOS", letter case ignored), which
// tells apart two cards of one name (one folder holding two drivers, or
// two sub-folders named alike). In list order.
std::vector<const CardEntry*> CardsNamed(const CardList& cards, const std::string& libraryFolder,
                                         const std::string& typed);

// The one card `typed` names, or nullptr after saying on standard error
// that no card or several cards have that name.
const CardEntry* OneCardNamed(const CardList& cards, const std::string& libraryFolder, const std::string& typed);
