#include "bootdisk/autoexec_line.h"

#include <vector>

#include "text/cp936_path.h"
#include "text/text_lines.h"
#include "text/white_space.h"

void AddBootProgramLine(std::string* autoexec) {
  const std::string_view text = text::TextBeforeEndMark(*autoexec);
  const std::vector<text::TextLine> lines = text::SplitTextLines(text);
  for (const text::TextLine& line : lines) {
    const std::string trimmed = text::Trim(text.substr(line.start, line.end - line.start));
    if (cp936::EqualIgnoringCase(trimmed, kBootProgramLine)) return;
  }
  std::string lineBreak = "\r\n";
  if (!lines.empty() && lines.front().end < text.size() && text[lines.front().end] == '\n') lineBreak = "\n";
  std::size_t at = 0;
  if (!lines.empty()) {
    const text::TextLine& first = lines.front();
    const std::string trimmed = text::Trim(text.substr(first.start, first.end - first.start));
    if (cp936::EqualIgnoringCase(trimmed, "@ECHO OFF")) {
      at = first.end;
      // Past the first line's own break; a first line without one gets one.
      if (at < text.size() && text[at] == '\r') ++at;
      if (at < text.size() && text[at] == '\n') {
        ++at;
      } else {
        autoexec->insert(at, lineBreak);
        at += lineBreak.size();
      }
    }
  }
  autoexec->insert(at, std::string(kBootProgramLine) + lineBreak);
}
