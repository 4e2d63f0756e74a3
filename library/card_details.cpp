#include "library/card_details.h"

#include <string>
#include <string_view>

#include "files/package_text.h"
#include "library/program_folder.h"
#include "text/cp936_path.h"
#include "text/text_lines.h"

namespace {

// The file read as text, line by line: nothing from a Ctrl-Z on, and each
// line, taken as a C string, ends at a NUL byte, so one stray NUL cannot
// hide the lines after it. Every line, the last one included, ends in CR LF
// in the edit.
std::string LinesForEdit(const std::string& bytes) {
  const std::string_view text = text::TextBeforeEndMark(bytes);
  std::string shown;
  for (const text::TextLine& line : text::SplitTextLines(text)) {
    const std::string_view lineText = text.substr(line.start, line.end - line.start);
    shown += lineText.substr(0, lineText.find('\0'));
    shown += "\r\n";
  }
  return shown;
}

}  // namespace

CardDetails DetailsOf(const CardEntry& card) {
  CardDetails details;
  details.driverName = cp936::FileNameOf(card.driverPath);
  // A file too big to be a card INI is not read at all.
  std::string bytes;
  if (ReadPackageText(CardIniOf(card.driverPath), &bytes) == PackageTextRead::kRead) {
    details.protocolText = LinesForEdit(bytes);
  }
  return details;
}
