// The console the command line talks through: the arguments it was started
// with, its two streams, and the interrupt (Ctrl-C) that stops its long
// work. One implementation per system, chosen by CMake: cli/posix (UTF-8
// terminals, SIGINT and SIGTERM) and cli/win32 (the console the program was
// started from, Ctrl-C and Ctrl-Break). Text crosses this port in the
// program's code page 936, as every string of the program is held.
#pragma once

#include <string>
#include <vector>

namespace console {

enum class Stream { kOut, kErr };

// Readies the streams and catches interrupts: from here on an interrupt no
// longer ends the program but is noted for Interrupted. A program of the
// window subsystem on Windows has no console of its own: it writes where
// its standard handles lead, else to the console of the program that
// started it, else nowhere (its exit status still tells the outcome).
void Open();

// The arguments after the program's name, in the program's code page.
std::vector<std::string> Arguments(int argc, char** argv);

// Writes `text` (lines ended by "\n") to `stream`, in the encoding the
// stream shows: UTF-8 natively; on Windows the console's own characters, or
// its code page where the stream is a file or a pipe.
void Write(Stream stream, const std::string& text);

// True when `stream` is a terminal someone watches, where progress is drawn.
bool IsTerminal(Stream stream);

// The terminal's width in columns; 80 when it cannot be had.
int Columns(Stream stream);

// True once an interrupt (Ctrl-C, Ctrl-Break, SIGINT, SIGTERM) has come.
bool Interrupted();

}  // namespace console
