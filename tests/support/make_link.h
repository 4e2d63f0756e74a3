// Making symbolic links for tests of how the program treats links found in
// the trees it removes, copies and writes into.
#pragma once

#include <string>

#include "port/file_system.h"
#include "support/temp_folder.h"

// Makes `link` a symbolic link to the folder (or file) `target`, both in
// Windows form. False where no link can be made here: the test then skips.
// Under Wine, whose CreateSymbolicLinkA makes nothing and which takes no
// junctions, the link is made on the Unix side, which Wine shows as a link.
bool MakeFolderLink(const std::string& target, const std::string& link);
bool MakeFileLink(const std::string& target, const std::string& link);

// Removes the link `link` itself, whatever it leads to.
void RemoveLink(const std::string& link);

// Whether the port removes a link as a link here, found by trying in
// `scratch` (a folder that is made and removed again): Wine cannot remove a
// Unix symbolic link through the Windows calls.
struct LinkRemoval {
  bool folderLinks = false;
  bool fileLinks = false;
};
inline LinkRemoval ProbeLinkRemoval(const std::string& scratch) {
  WriteTestFile(scratch + "\\to\\F.TXT", "f");
  LinkRemoval removal;
  if (MakeFolderLink(scratch + "\\to", scratch + "\\dir")) removal.folderLinks = port::RemoveFolder(scratch + "\\dir");
  if (MakeFileLink(scratch + "\\to\\F.TXT", scratch + "\\file")) removal.fileLinks = port::RemoveFile(scratch + "\\file");
  RemoveTestTree(scratch);
  return removal;
}
