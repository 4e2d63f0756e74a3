// The lines of a DOS text file as a text-mode read (CStdioFile::ReadString)
// returns them.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace text {

// One line: bytes [start, end) are its text, without the line break.
struct TextLine {
  std::size_t start;
  std::size_t end;
};

// A line ends at a line feed; a carriage return just before the line feed
// belongs to the line break, any other one to the text. A last line without
// a line break is a line; a final line break is not followed by an empty
// one, so empty bytes have no lines.
std::vector<TextLine> SplitTextLines(std::string_view bytes);

// What a text-mode read returns of a file's bytes before it reports
// the end: a Ctrl-Z (0x1A), which DOS editors append, ends the text, and
// nothing after it is read. Carriage returns are left to SplitTextLines.
std::string_view TextBeforeEndMark(std::string_view bytes);

}  // namespace text
