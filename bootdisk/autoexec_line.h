// The line of AUTOEXEC.BAT that runs the boot program before the network
// client starts: "\NET\TOVRELL.COM", which runs from the boot drive
// whatever its letter (A: from a floppy or memdisk, C: from a stick booted
// as a hard disk).
#pragma once

#include <string>

inline const char kBootProgramLine[] = "\\NET\\TOVRELL.COM";

// `*autoexec` (the bytes of AUTOEXEC.BAT) with the line added: at the top
// (after a UTF-8 byte order mark), or after a first line that turns echo
// off ("@ECHO OFF" or "ECHO OFF", letter case, blanks and tabs as COMMAND.COM
// takes them), ended as the file's first line is (CR LF, or LF; CR LF when
// the file has no line break). A file that runs the program already, on a
// line before a Ctrl-Z, however it names it ("A:\NET\TOVRELL",
// "CALL \NET\TOVRELL.COM"), is left as it is. Every other byte stays.
void AddBootProgramLine(std::string* autoexec);
