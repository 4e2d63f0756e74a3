#include "cli/card_lookup.h"

#include "cli/report.h"
#include "library/card_name_check.h"
#include "port/file_system.h"
#include "text/cp936_path.h"
#include "text/path_form.h"

std::vector<const CardEntry*> CardsNamed(const CardList& cards, const std::string& libraryFolder,
                                         const std::string& typed) {
  std::vector<const CardEntry*> named;
  for (const CardEntry& card : cards) {
    if (SameCardFolderName(card.cardName, typed)) named.push_back(&card);
  }
  if (!named.empty()) return named;
  for (const CardEntry& card : cards) {
    if (cp936::EqualIgnoringCase(card.driverPath, libraryFolder + typed)) named.push_back(&card);
  }
  return named;
}

const CardEntry* OneCardNamed(const CardList& cards, const std::string& libraryFolder, const std::string& typed) {
  const std::vector<const CardEntry*> named = CardsNamed(cards, libraryFolder, typed);
  if (named.size() == 1) return named.front();
  if (named.empty()) {
    WriteError("no card named '" + port::UserPath(typed) + "' in " +
               port::UserPath(pathform::WithoutBackslash(libraryFolder)) + " (see '" + ProgramName() + " list')");
    return nullptr;
  }
  std::string drivers;
  for (const CardEntry* card : named) {
    drivers += (drivers.empty() ? "" : ", ") + port::UserPath(card->driverPath.substr(libraryFolder.size()));
  }
  WriteError(std::to_string(named.size()) + " cards are named '" + port::UserPath(typed) + "': " + drivers +
             "; name the one meant by its driver file, as 'list' shows it");
  return nullptr;
}
