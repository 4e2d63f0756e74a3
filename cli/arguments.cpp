#include "cli/arguments.h"

namespace {

bool IsOption(const std::string& word) { return word.size() > 1 && word[0] == '-'; }

const KnownOption* FindKnown(const std::vector<KnownOption>& known, const std::string& name) {
  for (const KnownOption& option : known) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

}  // namespace

ReadArguments ReadWords(const std::vector<std::string>& words, std::size_t from,
                        const std::vector<KnownOption>& known) {
  ReadArguments read;
  bool optionsEnded = false;
  for (std::size_t i = from; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (optionsEnded || !IsOption(word)) {
      read.operands.push_back(word);
      continue;
    }
    if (word == "--") {
      optionsEnded = true;
      continue;
    }
    const std::size_t equals = word.find('=');
    const std::string name = word.substr(0, equals).substr(word.compare(0, 2, "--") == 0 ? 2 : 1);
    const KnownOption* option = word.compare(0, 2, "--") == 0 ? FindKnown(known, name) : nullptr;
    if (option == nullptr) {
      read.error = "unknown option '" + word.substr(0, equals) + "'";
      return read;
    }
    if (!option->takesValue) {
      if (equals != std::string::npos) {
        read.error = "option '--" + name + "' takes no value";
        return read;
      }
      read.options[name] = std::string();
    } else if (equals != std::string::npos) {
      read.options[name] = word.substr(equals + 1);
    } else if (i + 1 < words.size()) {
      read.options[name] = words[++i];
    } else {
      read.error = "option '--" + name + "' needs a value";
      return read;
    }
  }
  return read;
}

std::size_t FirstOperand(const std::vector<std::string>& words, const std::vector<KnownOption>& leading) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (!IsOption(word)) return i;
    if (word == "--") return i + 1;
    const std::size_t equals = word.find('=');
    const KnownOption* option =
        word.compare(0, 2, "--") == 0 ? FindKnown(leading, word.substr(2, equals - 2)) : nullptr;
    if (option == nullptr) return words.size();
    if (option->takesValue && equals == std::string::npos) ++i;
  }
  return words.size();
}
