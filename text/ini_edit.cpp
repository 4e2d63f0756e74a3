#include "text/ini_edit.h"

#include <vector>

#include "text/cp936_path.h"
#include "text/ini_lines.h"
#include "text/text_lines.h"
#include "text/white_space.h"

namespace text {
namespace {

// A section's name as the client compares it.
std::string ComparedName(std::string_view name) { return cp936::UpperAscii(ClientValue(name)); }

}  // namespace

std::string_view LineBreakOf(std::string_view bytes) {
  const std::size_t lineFeed = bytes.find('\n');
  return lineFeed != std::string_view::npos && lineFeed > 0 && bytes[lineFeed - 1] == '\r' ? "\r\n" : "\n";
}

void SetIniValue(std::string* bytes, std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view read = TextBeforeEndMark(*bytes);
  const std::string keyLine = std::string(key) + "=" + std::string(value);
  const std::string wanted = ComparedName(section);
  const std::vector<IniLine> lines = ReadIniLines(read);
  const IniLine* lastFilled = nullptr;  // the section's last non-blank line
  for (const IniLine& line : lines) {
    if (line.section.empty() && !line.isSection) continue;  // before the first section
    if (ComparedName(line.section) != wanted) continue;
    if (line.HasKey(key)) {
      bytes->replace(line.start, line.end - line.start, keyLine);
      return;
    }
    if (!Trim(read.substr(line.start, line.end - line.start)).empty()) lastFilled = &line;
  }
  const std::string lineBreak(LineBreakOf(read));
  if (lastFilled != nullptr) {
    // Before the line's own line break, which then ends the added line.
    bytes->insert(lastFilled->end, lineBreak + keyLine);
    return;
  }
  std::string added = read.empty() || read.back() == '\n' ? std::string() : lineBreak;
  added += "[" + std::string(section) + "]" + lineBreak + keyLine + lineBreak;
  bytes->insert(read.size(), added);
}

}  // namespace text
