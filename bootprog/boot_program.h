// The boot program of a universal medium: TOVRELL.COM, the DOS program
// (bootprog/*.asm) that finds the PC's network card at boot and puts that
// card's files in place in NET.
#pragma once

#include <string>

// The DOS boot program TOVRELL.COM, as the build assembled it.
// On Windows it is read from the running program's resources: empty if the
// program has none (an executable built without its .rc).
std::string BootProgramBytes();
