// The usage and help texts, made from the command table so that a new row
// is in them at once.
#pragma once

#include <string>

#include "cli/command_table.h"

// "Usage: <program> [--program-folder DIR] COMMAND [ARGUMENTS]": what a
// usage error shows, with a pointer to --help.
std::string ProgramUsage();

// --help: the usage, every command with its summary, the program's
// options and the exit statuses.
std::string ProgramHelp();

// A command's usage line, and the line pointing to its --help.
std::string CommandUsage(const CommandRow& row);

// <command> --help: its usage, its description, its options.
std::string CommandHelp(const CommandRow& row);
