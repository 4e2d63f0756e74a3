// The files that put the boot program on a medium: NET\TOVRELL.COM, its
// table NET\TOVRELL.TXT, and the line of AUTOEXEC.BAT that runs it.
#pragma once

#include <string>
#include <vector>

// A file of a medium: its path below the medium's root
// ("NET\CARDS\001\E1000.DOS") and its bytes.
struct MediumFile {
  std::string path;
  std::string content;
};

// NET\TOVRELL.TXT holding `tableText` (BootTableText) and NET\TOVRELL.COM,
// the program as the build assembled it (BootProgramBytes).
std::vector<MediumFile> BootProgramFiles(const std::string& tableText);

// The boot program's files for a medium of one card whose PCs each get a
// computer name of its own: the table holds only "NAME <nameBase>".
std::vector<MediumFile> NameOnlyBootProgramFiles(const std::string& nameBase);
