#include <cstdlib>

#include "cli/program_home.h"
#include "port/file_system.h"
#include "port/posix/native_text.h"

std::string DefaultProgramFolder() {
  const char* home = std::getenv("TOVRELL_HOME");
  if (home != nullptr && *home != '\0') return port::PortPath(port::ProgramText(home));
  return port::CurrentFolder();
}

std::string DefaultProgramFolderRule() { return "$TOVRELL_HOME, else the current folder"; }
