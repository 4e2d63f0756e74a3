#include "cli/progress_line.h"

#include <vector>

#include "text/cp936_path.h"

namespace {

// The columns each character of `text` takes, by its position.
struct Character {
  std::size_t at;
  std::size_t width;
};
std::vector<Character> CharactersOf(const std::string& text) {
  std::vector<Character> characters;
  for (std::size_t at = 0; at < text.size();) {
    const bool doubleByte = cp936::IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size();
    characters.push_back({at, doubleByte ? 2u : 1u});
    at += doubleByte ? 2 : 1;
  }
  return characters;
}

std::size_t WidthOf(const std::string& text) {
  std::size_t width = 0;
  for (const Character& c : CharactersOf(text)) width += c.width;
  return width;
}

// The end of `text` that fits into `room` columns, "..." first where the
// start had to go.
std::string EndWithin(const std::string& text, std::size_t room) {
  const std::vector<Character> characters = CharactersOf(text);
  std::size_t width = WidthOf(text);
  if (width <= room) return text;
  if (room < 3) return std::string();
  std::size_t first = 0;
  while (first < characters.size() && width > room - 3) width -= characters[first++].width;
  return "..." + (first < characters.size() ? text.substr(characters[first].at) : std::string());
}

std::size_t Usable(int columns) { return columns > 20 ? static_cast<std::size_t>(columns) - 1 : 19; }

}  // namespace

std::string ProgressLine(const std::string& title, const std::string& what, std::uint64_t done, std::uint64_t total,
                         int columns) {
  std::string head = title;
  if (done > 0 || total > 0) {
    head += (head.empty() ? "" : " ") + std::to_string(done) + (total > 0 ? "/" + std::to_string(total) : "");
  }
  if (!head.empty()) head += " ";
  const std::size_t width = Usable(columns);
  const std::size_t headWidth = WidthOf(head);
  std::string line = headWidth < width ? head + EndWithin(what, width - headWidth) : EndWithin(head, width);
  const std::size_t lineWidth = WidthOf(line);
  return "\r" + line + std::string(width - lineWidth, ' ');
}

std::string ClearedLine(int columns) { return "\r" + std::string(Usable(columns), ' ') + "\r"; }
