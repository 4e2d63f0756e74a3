#include "text/text_lines.h"

namespace text {

std::vector<TextLine> SplitTextLines(std::string_view bytes) {
  std::vector<TextLine> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t lineFeed = bytes.find('\n', start);
    if (lineFeed == std::string_view::npos) {
      lines.push_back({start, bytes.size()});
      break;
    }
    const std::size_t end = lineFeed > start && bytes[lineFeed - 1] == '\r' ? lineFeed - 1 : lineFeed;
    lines.push_back({start, end});
    start = lineFeed + 1;
  }
  return lines;
}

std::string_view TextBeforeEndMark(std::string_view bytes) {
  return bytes.substr(0, bytes.find('\x1A'));
}

}  // namespace text
