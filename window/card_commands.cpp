#include "window/card_commands.h"

#include "library/add_card.h"
#include "library/card_details.h"
#include "library/delete_card.h"
#include "library/rename_card.h"
#include "window/card_rows.h"
#include "window/outcome_boxes.h"

void ShowCardDetails(MainView& view, const CardList& cards) {
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
  const CardEntry* card = cards.FindByRow(row);
  if (card == nullptr) return;
  const CardDetails details = DetailsOf(*card);
  view.ShowDriverName(details.driverName);
  view.ShowProtocolText(details.protocolText);
}

void AddCard(MainView& view, CardList* cards, const std::string& programFolder) {
  std::string typedPath, typedName;
  if (!view.AskDriver(&typedPath, &typedName)) return;
  const AddCardOutcome outcome = AddCardToLibrary(programFolder, *cards, typedPath, typedName);
  ShowOutcome(view, outcome, caption::kAddRefused);
  if (!outcome.succeeded) return;
  const int row = view.RowCount();
  view.InsertRow(row, outcome.cardName);
  view.FocusList();
  cards->Append({row, outcome.cardName, outcome.driverPath});
}

void DeleteCard(MainView& view, CardList* cards, const std::string& programFolder) {
  if (view.RowCount() == 0) {
    view.ShowMessage("没有可以删除的网卡！", caption::kDeleteRefused);
    return;
  }
  view.FocusList();
  const int row = view.SelectedRow();
  if (row == -1) {
    view.ShowMessage("请选择要删除的网卡！", caption::kDeleteRefused);
    return;
  }
  const DeleteCardOutcome outcome = DeleteCardFromLibrary(programFolder, *cards, row);
  ShowOutcome(view, outcome, caption::kDeleteRefused);
  if (!outcome.removed) return;
  view.DeleteRow(row);
  *cards = outcome.cards;
  if (outcome.droppedOthers) RefillRows(view, *cards, -1);
  view.ShowDriverName("");
}

void RenameCard(MainView& view, CardList* cards, const std::string& programFolder) {
  if (view.RowCount() == 0) {
    view.ShowMessage("没有可以更名的网卡", "列表为空");
    return;
  }
  view.FocusList();
  const int row = view.SelectedRow();
  if (row == -1) {
    view.ShowMessage("选择要重命名的网卡", caption::kRenameRefused);
    return;
  }
  if (cards->FindByRow(row) == nullptr) return;
  std::string newName;
  if (!view.AskNewName(&newName)) return;
  const RenameCardOutcome outcome = RenameCardFolder(programFolder, *cards, row, newName);
  ShowOutcome(view, outcome, caption::kRenameRefused);
  if (!outcome.renamed) return;
  view.SetRowText(row, newName);
  *cards = outcome.cards;
  RefillRows(view, *cards, outcome.renamedRow);
}
