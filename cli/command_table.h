// The commands of the command line, one row each: how each is called, what
// its help says, and what runs it. Every build of boot media is a row that
// names its BuildKind and whether it is for one card; the build itself is
// the one the window runs (RunBuild).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "media/build_kind.h"

// What a command is given: the program folder (in the port's form) and the
// words of its command line, as typed.
struct Invocation {
  std::string programFolder;
  std::vector<std::string> operands;
  std::map<std::string, std::string> options;
};

struct CommandRow;
// Runs the command; its exit status (exit_status.h).
using CommandRun = int (*)(const CommandRow& row, const Invocation& invocation);

struct CommandOption {
  const char* name;   // without "--"
  const char* value;  // the value's name in the help ("NAME")
  const char* help;
};

struct CommandRow {
  const char* name;
  const char* operands;     // "CARD TARGET": how many, and their names in the help
  const char* summary;      // a line of the program's help
  const char* description;  // the command's own help
  std::vector<CommandOption> options;
  CommandRun run;
  std::optional<BuildKind> build;  // what a build command builds
  bool forOneCard = false;         // a build for the card its CARD names
};

// Every command, in the order the help lists them.
const std::vector<CommandRow>& Commands();

// The row of the command called `name`, or nullptr.
const CommandRow* FindCommand(const std::string& name);

// The names of a row's operands ("CARD", "TARGET").
std::vector<std::string> OperandNames(const CommandRow& row);
