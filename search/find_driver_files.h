// The driver file search of the add-driver dialog: which rows its result
// list shows, and in what order, for a folder tree; and the two small rules
// the dialog applies to a chosen row.
#pragma once

#include <string>
#include <vector>

#include "files/folder_walk.h"
#include "work/progress.h"

// One row of the result list: the driver file's name and its full path,
// both trimmed of white space.
struct DriverRow {
  std::string name;
  std::string path;
};

// Searches `folder` and its whole tree, depth-first in listing order, for
// driver files (trimmed names whose last four characters are ".dos", letter
// case ignored) and returns the rows top to bottom.
//
// The order is that of a list into which every folder inserts its own rows
// from position 0 on, each at the count of rows that folder has inserted so
// far (at the end when that is past the last row), a sub-folder being
// searched at once where the listing reports it. So a folder's files stand
// above the rows its earlier sub-folders inserted, and rows of later
// sub-folders push them down: a.dos, S\c.dos, S\d.dos, b.dos give c.dos,
// b.dos, d.dos, a.dos.
//
// A file whose trimmed path contains "MSLANMAN.DOS" (IsPreferredDriverPath)
// is preferred: it removes every row of the same name (byte for byte) found
// so far and is added. Any other file is left out while a preferred row of
// its name is listed.
//
// Links to folders are followed, except a link that leads back to a folder
// being searched at that moment. Folders that cannot be listed give no rows.
// Reads only. The bookkeeping costs a move of the rows listed per driver
// file found (a few thousand on a driver CD) and a test of the last byte
// per other entry, so the time goes into listing the folders.
//
// With `progress`, each folder listed (or tried: one that cannot be listed
// counts too) is reported once it has been: Step(that folder with a
// trailing backslash, the folders listed so far, 0). When a Step returns
// false the search stops there: no further folder is listed and it returns
// no rows at all, never a part of the result.
std::vector<DriverRow> FindDriverFiles(const std::string& folder, const FolderListing& listing = port::FindFiles,
                                       Progress* progress = nullptr);

// True when `path` contains "MSLANMAN.DOS", letters as written, starting on
// a character boundary (a trail byte is never the start of the match).
bool IsPreferredDriverPath(const std::string& path);

// The card name proposed for a row's file name: the name up to its last dot
// (the whole name when it has none). "E100B.DOS" gives "E100B"; ".dos" gives
// "", which the user must then replace.
std::string ProposedCardName(const std::string& fileName);

// The "添加" check: both texts hold something besides white space.
bool AddFieldsComplete(const std::string& driverPath, const std::string& cardName);
