#include "library/card_list.h"

#include "library/scan_driver_library.h"

void RefillRows(MainView& view, const NicList& nicList, int selectRow) {
  view.DeleteAllRows();
  for (const NicEntry& entry : nicList) view.InsertRow(entry.rowIndex, entry.cardName);
  if (selectRow >= 0 && selectRow < view.RowCount()) view.SelectRow(selectRow);
}

void FillCardList(MainView& view, NicList* nicList, const std::string& libraryFolder) {
  view.DeleteAllRows();
  ScanDriverLibrary(libraryFolder, nicList);
  RefillRows(view, *nicList, -1);
  if (view.RowCount() == 0 || view.SelectedRow() == -1) view.EnableBuildButtons(false);
}
