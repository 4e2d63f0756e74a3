// The first lines of messages: a message's first line says what failed,
// the lines after it which file and why, in the system's own words.
#pragma once

#include <string>
#include <vector>

inline std::string Headline(const std::string& text) { return text.substr(0, text.find('\n')); }

inline std::vector<std::string> Headlines(const std::vector<std::string>& texts) {
  std::vector<std::string> lines;
  for (const std::string& text : texts) lines.push_back(Headline(text));
  return lines;
}
