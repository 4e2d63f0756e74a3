#include "cli/usage.h"

#include "cli/program_home.h"
#include "cli/report.h"

namespace {

const char kProgramOptions[] = "[--program-folder DIR]";

std::string Padded(const std::string& text, std::size_t width) {
  return text.size() < width ? text + std::string(width - text.size(), ' ') : text + "  ";
}

std::string CallOf(const CommandRow& row) {
  std::string call = row.name;
  if (*row.operands != '\0') call += std::string(" ") + row.operands;
  for (const CommandOption& option : row.options) call += std::string(" [--") + option.name + " " + option.value + "]";
  return call;
}

bool NamesCard(const CommandRow& row) {
  for (const std::string& operand : OperandNames(row)) {
    if (operand == "CARD") return true;
  }
  return false;
}

}  // namespace

std::string ProgramUsage() {
  return "Usage: " + ProgramName() + " " + kProgramOptions + " COMMAND [ARGUMENTS]\nTry '" + ProgramName() +
         " --help' for more.\n";
}

std::string ProgramHelp() {
  std::string help = "Usage: " + ProgramName() + " " + kProgramOptions +
                     " COMMAND [ARGUMENTS]\n"
                     "Keeps the library of DOS network card drivers and builds DOS network boot\n"
                     "media from the boot disk template, as the Tovrell window does.\n\nCommands:\n";
  for (const CommandRow& row : Commands()) help += "  " + Padded(CallOf(row), 26) + row.summary + "\n";
  help +=
      "\nOptions:\n"
      "  --program-folder DIR      the folder holding driver, BootDisk and BootDisk.img\n"
      "                            (default: " + DefaultProgramFolderRule() + ")\n"
      "  --help                    show this help; COMMAND --help shows the command's\n"
      "  --version                 show the version\n"
      "\nExit status: 0 done, 1 failed or refused (the message says why), 2 a wrong\n"
      "command line, 130 stopped by Ctrl-C (what the build made is removed).\n";
  return help;
}

std::string CommandUsage(const CommandRow& row) {
  return "Usage: " + ProgramName() + " " + kProgramOptions + " " + CallOf(row) + "\nTry '" + ProgramName() + " " +
         row.name + " --help' for more.\n";
}

std::string CommandHelp(const CommandRow& row) {
  std::string help =
      "Usage: " + ProgramName() + " " + kProgramOptions + " " + CallOf(row) + "\n\n" + row.description + "\n";
  if (NamesCard(row)) {
    help +=
        "\nCARD is a card's name as 'list' shows it, letter case ignored; where two\n"
        "cards share a name, it is the card's driver file as 'list' shows it.\n";
  }
  if (!row.options.empty()) {
    help += "\nOptions:\n";
    for (const CommandOption& option : row.options) {
      help += "  " + Padded(std::string("--") + option.name + " " + option.value, 24) + option.help + "\n";
    }
  }
  return help;
}
