#include "library/card_details.h"

#include <string>

#include "port/file_system.h"
#include "text/cp936_path.h"
#include "text/text_lines.h"

namespace {

// Every line, the last one included, ends in CR LF in the edit.
std::string LinesForEdit(const std::string& bytes) {
  std::string shown;
  for (const text::TextLine& line : text::SplitTextLines(bytes)) {
    shown.append(bytes, line.start, line.end - line.start);
    shown += "\r\n";
  }
  return shown;
}

}  // namespace

void ShowCardDetails(port::MainView& view, const NicList& nicList) {
  view.ShowDriverName("");
  view.ShowProtocolText("");
  if (view.RowCount() == 0) return;
  view.FocusList();
  const int row = view.SelectedRow();
  if (row == -1) {
    view.EnableBuildButtons(false);
    return;
  }
  view.EnableBuildButtons(true);
  const NicEntry* card = nicList.FindByRow(row);
  if (card == nullptr) return;

  view.ShowDriverName(cp936::FileNameOf(card->driverPath));
  const std::string iniPath =
      cp936::FolderWithBackslashOf(card->driverPath) + cp936::BaseNameOf(card->driverPath) + ".INI";
  std::string bytes;
  if (!port::ReadFile(iniPath, &bytes)) return;
  view.ShowProtocolText(LinesForEdit(bytes));
}
