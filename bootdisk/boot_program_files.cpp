#include "bootdisk/boot_program_files.h"

#include "bootdisk/boot_table.h"
#include "bootprog/boot_program.h"

std::vector<MediumFile> BootProgramFiles(const std::string& tableText) {
  return {{std::string("NET\\") + kBootTableName, tableText},
          {std::string("NET\\") + kBootProgramName, BootProgramBytes()}};
}

std::vector<MediumFile> NameOnlyBootProgramFiles(const std::string& nameBase) {
  BootTableFit fit;
  return BootProgramFiles(BootTableText({}, nameBase, &fit));
}
