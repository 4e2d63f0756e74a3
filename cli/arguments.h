// How the command line's words are read, in the GNU style: long options
// "--name NAME" or "--name=NAME", options and operands in any order, "--"
// ending the options (every word after it is an operand, "-x" too).
#pragma once

#include <map>
#include <string>
#include <vector>

struct KnownOption {
  std::string name;  // without the leading "--"
  bool takesValue = false;
};

struct ReadArguments {
  std::map<std::string, std::string> options;  // the options given, by name; "" when they take no value
  std::vector<std::string> operands;           // the other words, in order
  std::string error;                           // a usage error, "" when none
};

// Reads `words` from `from` on, each option one of `known`. An option given
// twice keeps its last value. Errors: an unknown option (any word starting
// with "-" but "-" alone), a value missing, a value given to an option that
// takes none.
ReadArguments ReadWords(const std::vector<std::string>& words, std::size_t from, const std::vector<KnownOption>& known);

// Where a command's name stands after the program's own options: the
// position of the first operand of `words` after options of `leading` (with
// their values) and at most one "--"; words.size() when an option of
// another kind, or nothing, comes first.
std::size_t FirstOperand(const std::vector<std::string>& words, const std::vector<KnownOption>& leading);
