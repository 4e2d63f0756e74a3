// What the command line tells the user: listings and a success on standard
// output; every other notice on standard error, after the program's name,
// as command-line programs say what went wrong; and the exit status an
// outcome ends the command with.
#pragma once

#include <string>
#include <vector>

#include "work/outcome.h"

// The program file's name, as usage and messages name the program
// ("tovrell", "Tovrell.exe").
std::string ProgramName();

// `text` and a line end on standard output.
void WriteLine(const std::string& text);

// "<program>: <text>" and a line end on standard error.
void WriteError(const std::string& text);

// Writes every notice of `outcome` in order, each with the paths in it as
// the user writes them (ShownText; `given`: the full paths the command was
// given). Returns kExitInterrupted when the work was cancelled, kExitFailure
// when a refusal, a failure or a file error was noted or, for a command
// that reports its success (`saysSuccess`: the builds), none was;
// otherwise kExitSuccess.
int ReportOutcome(const Outcome& outcome, const std::vector<std::string>& given, bool saysSuccess);
