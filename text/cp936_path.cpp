#include "text/cp936_path.h"

namespace cp936 {

bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

bool IsTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

bool IsWholeText(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsLeadByte(static_cast<unsigned char>(text[i]))) continue;
    if (i + 1 == text.size() || !IsTrailByte(static_cast<unsigned char>(text[i + 1]))) return false;
    ++i;
  }
  return true;
}

namespace {

// Calls visit(position) for the start of every character of `text`.
template <typename Visit>
void ForEachCharacter(std::string_view text, Visit visit) {
  for (std::size_t i = 0; i < text.size();) {
    visit(i);
    const bool doubleByte =
        IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
    i += doubleByte ? 2 : 1;
  }
}

// A byte is single-byte character `c` when it starts a character and is not
// a lead byte (a lead byte is never an ASCII character).
std::size_t FindLastImpl(std::string_view text, char c) {
  std::size_t found = npos;
  ForEachCharacter(text, [&](std::size_t i) {
    if (text[i] == c) found = i;
  });
  return found;
}

char UpperByte(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::size_t FindLast(std::string_view text, char c) { return FindLastImpl(text, c); }

std::size_t FindFirst(std::string_view text, char c) {
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == c) return i;
    const bool doubleByte =
        IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
    i += doubleByte ? 2 : 1;
  }
  return npos;
}

std::size_t LastBackslash(std::string_view path) { return FindLastImpl(path, '\\'); }

bool EndsWithBackslash(std::string_view path) {
  return !path.empty() && LastBackslash(path) == path.size() - 1;
}

std::string FolderOf(std::string_view path) {
  const std::size_t slash = LastBackslash(path);
  return std::string(slash == npos ? path : path.substr(0, slash));
}

std::string FolderWithBackslashOf(std::string_view path) {
  const std::size_t slash = LastBackslash(path);
  return slash == npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string FileNameOf(std::string_view path) {
  const std::size_t slash = LastBackslash(path);
  return std::string(slash == npos ? path : path.substr(slash + 1));
}

std::string BaseNameOf(std::string_view path) {
  const std::string name = FileNameOf(path);
  const std::size_t dot = FindLastImpl(name, '.');
  return dot == npos ? name : name.substr(0, dot);
}

std::string ReplaceSeparators(std::string_view path, char from, char to) {
  std::string result(path);
  ForEachCharacter(path, [&](std::size_t i) {
    if (path[i] == from) result[i] = to;
  });
  return result;
}

std::string UpperAscii(std::string_view text) {
  std::string result(text);
  ForEachCharacter(text, [&](std::size_t i) { result[i] = UpperByte(text[i]); });
  return result;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && UpperAscii(a) == UpperAscii(b);
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  if (suffix.size() > text.size()) return false;
  const std::size_t start = text.size() - suffix.size();
  bool onBoundary = start == 0 || start == text.size();
  ForEachCharacter(text, [&](std::size_t i) {
    if (i == start) onBoundary = true;
  });
  return onBoundary && EqualIgnoringCase(text.substr(start), suffix);
}

bool Contains(std::string_view text, std::string_view what) {
  for (std::size_t i = 0; i + what.size() <= text.size();) {
    if (text.compare(i, what.size(), what) == 0) return true;
    i += IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
  }
  return false;
}

}  // namespace cp936
