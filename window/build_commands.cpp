#include "window/build_commands.h"

#include "media/build_kind.h"
#include "window/outcome_boxes.h"

namespace {

void RunBuildCommand(MainView& view, BuildKind kind, const CardList& cards, const std::string& programFolder) {
  const std::string refusal = RefusalBeforeTarget(kind, cards);
  if (!refusal.empty()) {
    view.ShowMessage(refusal, caption::kBuildRefused);
    return;
  }
  BuildRequest request;
  if (!view.AskTargetPath(&request.targetPath)) {
    view.FocusList();
    return;
  }
  request.programFolder = programFolder;
  if (const CardEntry* card = cards.FindByRow(view.SelectedRow())) request.card = *card;
  request.cards = cards;
  Outcome outcome;
  std::string failure;
  view.RunLongWork(
      ProgressTitleOf(kind), [&](Progress& progress) { RunBuild(kind, request, progress, &outcome); }, &failure);
  if (!failure.empty()) NoteFailedBuild(kind, request, failure, &outcome);
  ShowOutcome(view, outcome, caption::kBuildRefused);
  view.FocusList();
}

}  // namespace

void CreateNetDir(MainView& view, const CardList& cards, const std::string& programFolder) {
  RunBuildCommand(view, BuildKind::kNet, cards, programFolder);
}

void CreateUsbDisk(MainView& view, const CardList& cards, const std::string& programFolder) {
  RunBuildCommand(view, BuildKind::kUsb, cards, programFolder);
}

void CreateBootImage(MainView& view, const CardList& cards, const std::string& programFolder) {
  RunBuildCommand(view, BuildKind::kImage, cards, programFolder);
}

void CreateNetbootFolder(MainView& view, const CardList& cards, const std::string& programFolder) {
  RunBuildCommand(view, BuildKind::kNetboot, cards, programFolder);
}

void CreateUniversalUsb(MainView& view, const CardList& cards, const std::string& programFolder) {
  RunBuildCommand(view, BuildKind::kUniversalUsb, cards, programFolder);
}

void CreateUniversalImage(MainView& view, const CardList& cards, const std::string& programFolder) {
  RunBuildCommand(view, BuildKind::kUniversalImage, cards, programFolder);
}
