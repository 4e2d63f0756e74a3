// The scan that rebuilds the card list from the driver library on disk.
#pragma once

#include <string>

#include "library/card_list.h"

// Appends to `cards` one CardEntry for every driver file (a name whose last
// four characters are ".dos" in any letter case) in `folder` and, at any
// depth, its sub-folders, in the order the file system lists them. Each
// entry's rowIndex is the list's count before the append and its cardName
// the name of the folder that directly holds the file (for a file lying in
// `folder` itself, the name of `folder`). `folder` may end in a backslash or
// not. A missing or unreadable folder gives no entries; nothing is reported.
// The list is not cleared first. Links leading back into the folders being
// scanned are not followed. Reads only; changes nothing on disk.
void ScanDriverLibrary(const std::string& folder, CardList* cards);

// True for a driver file's name: the last four characters are ".dos",
// letter case ignored. Shorter names never match.
bool IsDriverFileName(const std::string& name);
