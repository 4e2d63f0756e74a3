#include "cli/build_command.h"

#include "cli/card_lookup.h"
#include "cli/exit_status.h"
#include "cli/long_work.h"
#include "cli/report.h"
#include "cli/shown_text.h"
#include "library/program_folder.h"
#include "library/scan_driver_library.h"
#include "port/file_system.h"
#include "work/background_work.h"

int RunBuildCommand(const CommandRow& row, const Invocation& invocation) {
  const BuildKind kind = *row.build;
  BuildRequest request;
  request.programFolder = invocation.programFolder;
  ScanDriverLibrary(LibraryFolderOf(request.programFolder), &request.cards);
  const std::string refusal = RefusalBeforeTarget(kind, request.cards);
  if (!refusal.empty()) {
    WriteError(refusal);
    return kExitFailure;
  }
  if (row.forOneCard) {
    const CardEntry* card = OneCardNamed(request.cards, LibraryFolderOf(request.programFolder),
                                         port::PortPath(invocation.operands.front()));
    if (card == nullptr) return kExitFailure;
    request.card = *card;
  }
  request.targetPath = port::PortPath(invocation.operands.back());
  // What the build writes below the target may be gone when a message names it.
  const std::vector<std::string> given = {BuildOutputPathOf(kind, request.targetPath), request.programFolder};

  Outcome outcome;
  std::string failure;
  {
    BackgroundWork work([&](Progress& progress) { RunBuild(kind, request, progress, &outcome); });
    WatchLongWork({ProgressTitleOf(kind), [&](std::chrono::milliseconds most) { return work.WaitFor(most); },
                   [&](std::string* what, std::uint64_t* done, std::uint64_t* total) {
                     const BackgroundWork::Report report = work.Latest();
                     *what = ShownText(report.what, given);
                     *done = report.done;
                     *total = report.total;
                   },
                   [&] { work.Cancel(); }});
    work.Wait();
    failure = work.Failure();
  }
  if (!failure.empty()) NoteFailedBuild(kind, request, failure, &outcome);
  return ReportOutcome(outcome, given, true);
}
