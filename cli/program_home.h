// Where the command line finds the program folder (driver\, BootDisk\,
// BootDisk.img) when --program-folder names none: a rule of each system,
// chosen by CMake (cli/posix, cli/win32).
#pragma once

#include <string>

// On Windows the folder holding the program file, as the window uses it;
// natively the folder the environment variable TOVRELL_HOME names, else the
// current folder (a boot server keeps the program and its library apart).
// In the port's form.
std::string DefaultProgramFolder();

// The rule above, for the help text.
std::string DefaultProgramFolderRule();
