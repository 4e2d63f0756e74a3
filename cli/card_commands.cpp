#include "cli/card_commands.h"

#include <thread>

#include "cli/card_listing.h"
#include "cli/card_lookup.h"
#include "cli/exit_status.h"
#include "cli/long_work.h"
#include "cli/report.h"
#include "cli/shown_text.h"
#include "library/add_card.h"
#include "library/delete_card.h"
#include "library/program_folder.h"
#include "library/rename_card.h"
#include "library/scan_driver_library.h"
#include "port/file_system.h"
#include "search/browse_for_drivers.h"
#include "text/cp936_path.h"

namespace {

CardList ScannedLibrary(const std::string& programFolder) {
  CardList cards;
  ScanDriverLibrary(LibraryFolderOf(programFolder), &cards);
  return cards;
}

// A path the user gave, made full from the current folder.
std::string GivenPath(const std::string& typed) { return port::FullPath(port::PortPath(typed)); }

}  // namespace

int RunList(const CommandRow&, const Invocation& invocation) {
  const std::string library = LibraryFolderOf(invocation.programFolder);
  for (const CardEntry& card : ScannedLibrary(invocation.programFolder)) {
    WriteLine(port::UserPath(CardListingLine(card, library)));
  }
  return kExitSuccess;
}

int RunSearch(const CommandRow&, const Invocation& invocation) {
  const std::string folder = GivenPath(invocation.operands[0]);
  if (!port::IsFolder(folder)) {
    WriteError("no folder " + port::UserPath(folder));
    return kExitFailure;
  }
  DriverSearchRun search(folder);
  WatchLongWork({"",
                 [&](std::chrono::milliseconds most) {
                   if (!search.Done()) std::this_thread::sleep_for(most);
                   return search.Done();
                 },
                 [&](std::string* what, std::uint64_t*, std::uint64_t*) { *what = search.Status(); },
                 [&] { search.Stop(); }});
  const DriverSearchEnd end = search.End();
  for (const DriverRow& row : end.rows) WriteLine(row.name + "\t" + port::UserPath(row.path));
  if (!end.message.empty()) WriteError(ShownText(end.message, {folder}));
  if (!end.stopped) return kExitSuccess;
  // Stopped by an error, which the message gave, or by Ctrl-C.
  if (!end.message.empty()) return kExitFailure;
  WriteError(end.status);
  return kExitInterrupted;
}

int RunAdd(const CommandRow&, const Invocation& invocation) {
  const std::string driverPath = GivenPath(invocation.operands[0]);
  const auto name = invocation.options.find("name");
  const std::string cardName =
      name != invocation.options.end() ? name->second : ProposedCardName(cp936::FileNameOf(driverPath));
  const AddCardOutcome outcome =
      AddCardToLibrary(invocation.programFolder, ScannedLibrary(invocation.programFolder), driverPath, cardName);
  return ReportOutcome(outcome, {driverPath, invocation.programFolder}, false);
}

int RunRename(const CommandRow&, const Invocation& invocation) {
  const CardList cards = ScannedLibrary(invocation.programFolder);
  const std::string library = LibraryFolderOf(invocation.programFolder);
  const CardEntry* card = OneCardNamed(cards, library, port::PortPath(invocation.operands[0]));
  if (card == nullptr) return kExitFailure;
  const RenameCardOutcome outcome =
      RenameCardFolder(invocation.programFolder, cards, card->rowIndex, invocation.operands[1]);
  return ReportOutcome(outcome, {invocation.programFolder}, false);
}

int RunDelete(const CommandRow&, const Invocation& invocation) {
  const CardList cards = ScannedLibrary(invocation.programFolder);
  const std::string library = LibraryFolderOf(invocation.programFolder);
  const CardEntry* card = OneCardNamed(cards, library, port::PortPath(invocation.operands[0]));
  if (card == nullptr) return kExitFailure;
  const DeleteCardOutcome outcome = DeleteCardFromLibrary(invocation.programFolder, cards, card->rowIndex);
  return ReportOutcome(outcome, {invocation.programFolder}, false);
}
