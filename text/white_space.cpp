#include "text/white_space.h"

namespace text {

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string TrimLeft(std::string_view s) {
  std::size_t start = 0;
  while (start < s.size() && IsWhiteSpace(s[start])) ++start;
  return std::string(s.substr(start));
}

std::string TrimRight(std::string_view s) {
  std::size_t end = s.size();
  while (end > 0 && IsWhiteSpace(s[end - 1])) --end;
  return std::string(s.substr(0, end));
}

std::string Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

}  // namespace text
