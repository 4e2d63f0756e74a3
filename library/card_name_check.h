// Whether a typed card name can be a card: one folder name inside the driver
// library, on Windows as well as elsewhere.
#pragma once

#include <string>

#include "library/card_list.h"

// "" when `name` (already trimmed of leading white space, as the commands
// trim it) is a valid single folder name on Windows; otherwise the Chinese
// message that tells the user why it is refused. Refused: an empty name,
// path separators, drive colons, wildcards and the other characters Windows
// forbids (: * ? " < > |), control characters, "." and "..", reserved device
// names (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, also with an extension),
// text that is not whole code page 936 (a lead byte at the end, or one
// followed by a byte that cannot end a double-byte character),
// and names ending in a blank or a dot, which Windows would store under
// another name than the card shows.
std::string CheckCardName(const std::string& name);

// True when the two names name the same folder: equal, or equal but for
// ASCII letter case (Windows ignores it in names).
bool SameCardFolderName(const std::string& a, const std::string& b);

// The first entry whose cardName names the same folder as `name`, or nullptr.
const CardEntry* FindCardNamed(const CardList& cards, const std::string& name);
