#include "cli/command_line.h"

#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/command_table.h"
#include "cli/console.h"
#include "cli/exit_status.h"
#include "cli/program_home.h"
#include "cli/report.h"
#include "cli/usage.h"
#include "port/file_system.h"
#include "text/path_form.h"

namespace {

const std::vector<KnownOption> kProgramOptions = {{"program-folder", true}, {"help", false}, {"version", false}};

int UsageError(const std::string& error, const std::string& usage) {
  WriteError(error);
  console::Write(console::Stream::kErr, usage);
  return kExitUsage;
}

// The program folder the options name, else the default; in the port's
// form and full ("E:" stays the root of E, as the window takes it).
std::string ProgramFolderOf(const std::map<std::string, std::string>& options) {
  const auto given = options.find("program-folder");
  const std::string folder = given == options.end() ? DefaultProgramFolder() : port::PortPath(given->second);
  return pathform::IsBareDrive(folder) ? folder : port::FullPath(folder);
}

std::string OperandsError(const CommandRow& row, const std::vector<std::string>& operands) {
  const std::vector<std::string> names = OperandNames(row);
  if (operands.size() > names.size()) return "extra operand '" + operands[names.size()] + "'";
  std::string missing;
  for (std::size_t i = operands.size(); i < names.size(); ++i) missing += (missing.empty() ? "" : " ") + names[i];
  return "missing " + missing;
}

}  // namespace

int RunCommandLine(int argc, char** argv) {
  console::Open();
  const std::vector<std::string> words = console::Arguments(argc, argv);
  const std::size_t at = FirstOperand(words, kProgramOptions);
  const ReadArguments leading = ReadWords(
      std::vector<std::string>(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(at)), 0, kProgramOptions);
  if (!leading.error.empty()) return UsageError(leading.error, ProgramUsage());
  if (at == words.size()) {
    if (leading.options.count("help") != 0) {
      console::Write(console::Stream::kOut, ProgramHelp());
      return kExitSuccess;
    }
    if (leading.options.count("version") != 0) {
      WriteLine(ProgramName() + " " TOVRELL_VERSION);
      return kExitSuccess;
    }
    return UsageError("no command given", ProgramUsage());
  }
  const CommandRow* row = FindCommand(words[at]);
  if (row == nullptr) return UsageError("unknown command '" + words[at] + "'", ProgramUsage());

  std::vector<KnownOption> known = kProgramOptions;
  for (const CommandOption& option : row->options) known.push_back({option.name, true});
  ReadArguments read = ReadWords(words, at + 1, known);
  if (!read.error.empty()) return UsageError(read.error, CommandUsage(*row));
  for (const auto& option : leading.options) read.options.insert(option);
  if (read.options.count("help") != 0) {
    console::Write(console::Stream::kOut, CommandHelp(*row));
    return kExitSuccess;
  }
  if (read.options.count("version") != 0) {
    WriteLine(ProgramName() + " " TOVRELL_VERSION);
    return kExitSuccess;
  }
  if (read.operands.size() != OperandNames(*row).size()) {
    return UsageError(OperandsError(*row, read.operands), CommandUsage(*row));
  }

  Invocation invocation{ProgramFolderOf(read.options), read.operands, read.options};
  if (!port::IsFolder(pathform::WithBackslash(invocation.programFolder))) {
    WriteError("no program folder " + port::UserPath(invocation.programFolder) +
               " (it holds driver, BootDisk and BootDisk.img: --program-folder)");
    return kExitFailure;
  }
  return row->run(*row, invocation);
}
