#include "window/card_rows.h"

#include "library/scan_driver_library.h"

void RefillRows(MainView& view, const CardList& cards, int selectRow) {
  view.DeleteAllRows();
  for (const CardEntry& entry : cards) view.InsertRow(entry.rowIndex, entry.cardName);
  if (selectRow >= 0 && selectRow < view.RowCount()) view.SelectRow(selectRow);
}

void FillCardList(MainView& view, CardList* cards, const std::string& libraryFolder) {
  view.DeleteAllRows();
  ScanDriverLibrary(libraryFolder, cards);
  RefillRows(view, *cards, -1);
  if (view.RowCount() == 0 || view.SelectedRow() == -1) view.EnableBuildButtons(false);
}
