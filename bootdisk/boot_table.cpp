#include "bootdisk/boot_table.h"

#include <cstdio>

namespace {

std::string IdsText(const std::vector<PciId>& ids) {
  if (ids.empty()) return "-";
  std::string text;
  for (const PciId& id : ids) {
    char one[16];
    std::snprintf(one, sizeof one, "%04x:%04x", id.vendor, id.device);
    text += (text.empty() ? "" : ",") + std::string(one);
  }
  return text;
}

std::string CardLine(const BootTableCard& card, const std::string& ids) {
  return "CARD " + card.folder + " " + card.driverFileName + " " + ids + " " + card.title.substr(0, kMaxTitle) + "\r\n";
}

}  // namespace

std::string BootTableText(const std::vector<BootTableCard>& cards, const std::string& nameBase, BootTableFit* fit) {
  std::string text =
      "; The cards of this medium, for TOVRELL.COM, which puts the card of the PC it\r\n"
      "; boots in NET: CARD <folder below NET\\CARDS> <driver> <PCI ids> <title>\r\n";
  if (!nameBase.empty()) text += "NAME " + nameBase + "\r\n";
  // Every card's line without ids first, so that the ids of earlier cards
  // never take the room a later card's line needs.
  std::size_t bare = text.size();
  fit->cards = 0;
  for (const BootTableCard& card : cards) {
    const std::size_t line = CardLine(card, "-").size();
    if (bare + line > kBootTableMaxBytes) break;
    bare += line;
    ++fit->cards;
  }
  std::size_t room = kBootTableMaxBytes - bare;
  for (std::size_t i = 0; i < fit->cards; ++i) {
    std::string line = CardLine(cards[i], IdsText(cards[i].ids));
    const std::size_t extra = line.size() - CardLine(cards[i], "-").size();
    if (!cards[i].ids.empty() && (line.size() - 2 > kBootTableMaxLine || extra > room)) {
      line = CardLine(cards[i], "-");
      fit->idsLeftOut.push_back(i);
    } else {
      room -= extra;
    }
    text += line;
  }
  return text;
}
