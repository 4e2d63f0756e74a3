// The line of AUTOEXEC.BAT that runs the boot program before the network
// client starts: "\NET\TOVRELL.COM", which runs from the boot drive
// whatever its letter (A: from a floppy or memdisk, C: from a stick booted
// as a hard disk).
#pragma once

#include <string>

inline const char kBootProgramLine[] = "\\NET\\TOVRELL.COM";

// `*autoexec` (the bytes of AUTOEXEC.BAT) with the line added: at the top,
// or after a first line that is "@ECHO OFF" (letter case and blanks around
// it ignored), ended as the file's first line is (CR LF, or LF; CR LF when
// the file has no line break). A file that runs the program already, on a
// line of its own before a Ctrl-Z, is left as it is. Every other byte stays.
void AddBootProgramLine(std::string* autoexec);
