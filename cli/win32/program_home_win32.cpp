#include "cli/program_home.h"
#include "library/program_folder.h"
#include "port/file_system.h"

std::string DefaultProgramFolder() { return ProgramFolderFromModulePath(port::ModuleFileName()); }

std::string DefaultProgramFolderRule() { return "the folder holding the program"; }
