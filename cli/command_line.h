// The command line's entry: `tovrell` natively, and Tovrell.exe started
// with arguments.
#pragma once

// Reads the command line (console::Arguments), runs the command it names
// and returns the exit status (exit_status.h). Nothing is asked: a usage
// error shows the usage, a command that cannot run says why.
int RunCommandLine(int argc, char** argv);
