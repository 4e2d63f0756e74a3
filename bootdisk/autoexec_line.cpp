#include "bootdisk/autoexec_line.h"

#include <string_view>
#include <vector>

#include "text/cp936_path.h"
#include "text/text_lines.h"
#include "text/white_space.h"

namespace {

// A line as COMMAND.COM takes its words: letter case ignored, one blank
// wherever blanks and tabs stand between them.
std::string Words(std::string_view line) {
  std::string words;
  for (char c : cp936::UpperAscii(line)) {
    if (c == ' ' || c == '\t') {
      if (!words.empty() && words.back() != ' ') words += ' ';
    } else {
      words += c;
    }
  }
  while (!words.empty() && words.back() == ' ') words.pop_back();
  return words;
}

bool TurnsEchoOff(std::string_view line) {
  const std::string words = Words(line);
  return words == "@ECHO OFF" || words == "ECHO OFF";
}

// A line that runs the boot program, however it names it: "\NET\TOVRELL.COM",
// "A:\NET\TOVRELL", "CALL \NET\TOVRELL.COM" …
bool RunsBootProgram(std::string_view line) {
  std::string command = Words(line);
  if (command.rfind("CALL ", 0) == 0) command.erase(0, 5);
  command = command.substr(0, command.find(' '));
  const std::size_t cut = command.find_last_of("\\:");
  const std::string name = cut == std::string::npos ? command : command.substr(cut + 1);
  return name == "TOVRELL" || name == "TOVRELL.COM";
}

}  // namespace

void AddBootProgramLine(std::string* autoexec) {
  const std::string_view text = text::TextBeforeEndMark(*autoexec);
  const std::vector<text::TextLine> lines = text::SplitTextLines(text);
  for (const text::TextLine& line : lines) {
    if (RunsBootProgram(text.substr(line.start, line.end - line.start))) return;
  }
  std::string lineBreak = "\r\n";
  if (!lines.empty() && lines.front().end < text.size() && text[lines.front().end] == '\n') lineBreak = "\n";
  // A UTF-8 byte order mark an editor put first stays first.
  const std::size_t mark = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
  std::size_t at = mark;
  if (!lines.empty()) {
    const text::TextLine& first = lines.front();
    if (TurnsEchoOff(text.substr(first.start + mark, first.end - first.start - mark))) {
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
