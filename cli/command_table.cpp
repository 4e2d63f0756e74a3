#include "cli/command_table.h"

#include <utility>

#include "cli/build_command.h"
#include "cli/card_commands.h"

namespace {

constexpr bool kOneCard = true;
constexpr bool kEveryCard = false;

// A command on the driver library.
CommandRow LibraryRow(const char* name, const char* operands, const char* summary, const char* description,
                      std::vector<CommandOption> options, CommandRun run) {
  return {name, operands, summary, description, std::move(options), run, std::nullopt, false};
}

// A build command: one row per BuildKind the command line offers.
CommandRow BuildRow(const char* name, BuildKind kind, bool forOneCard, const char* summary,
                    const char* description) {
  return {name, forOneCard ? "CARD TARGET" : "TARGET", summary, description, {}, RunBuildCommand, kind, forOneCard};
}

}  // namespace

const std::vector<CommandRow>& Commands() {
  static const std::vector<CommandRow> commands = {
      LibraryRow("list", "", "list the cards of the library",
       "Lists the cards of the driver library, one a line, as the window lists them,\n"
       "with a tab between the fields: the card's name; its driver file in the\n"
       "library; the device name every build writes as DriverName= (or \"refused:\"\n"
       "and why the builds refuse the card); the file that name comes from (the\n"
       "card's INI, OEMSETUP.INF, or \"file name\": the driver's name and $); the\n"
       "PCI ids the network boot menus know the card by, each INF file after its\n"
       "ids (\"-\" for none).",
       {},
       RunList),
      LibraryRow("search", "FOLDER", "list the DOS drivers found in a folder's tree",
       "Lists the DOS drivers (*.dos) in FOLDER and every folder below it, in the\n"
       "add-driver dialog's order: the driver's name and its path, a tab between.",
       {},
       RunSearch),
      LibraryRow("add", "PATH", "add a card from its driver file",
       "Adds a card to the library from the DOS driver PATH: the whole folder\n"
       "holding it is copied into the library's folder of the card, its\n"
       "PROTOCOL.INI kept as <DRV>.INI.",
       {{"name", "NAME", "the card's name (default: the driver file's base name)"}},
       RunAdd),
      LibraryRow("rename", "CARD NEW", "rename a card",
       "Renames CARD to NEW: the card's folder in the library.", {}, RunRename),
      LibraryRow("delete", "CARD", "delete a card",
       "Deletes CARD from the library at once: its whole folder, or only its driver\n"
       "and <DRV>.INI where the folder holds sub-folders or other cards' drivers.",
       {},
       RunDelete),
      BuildRow("net", BuildKind::kNet, kOneCard, "build the NET folder in TARGET for a card",
               "Builds the NET folder in TARGET for CARD: the boot disk template's NET\n"
               "folder with the card's driver, SYSTEM.INI and PROTOCOL.INI rewritten for\n"
               "it. An existing NET folder there is replaced whole."),
      BuildRow("usb", BuildKind::kUsb, kOneCard, "build the BootDisk folder in TARGET for a card",
               "Builds the BootDisk folder in TARGET for CARD, for a USB stick: the whole\n"
               "boot disk template, its NET folder set up for the card. An existing\n"
               "BootDisk folder there is replaced whole."),
      BuildRow("image", BuildKind::kImage, kOneCard, "write BootDisk.img in TARGET for a card",
               "Writes BootDisk.img in TARGET for CARD: the template image BootDisk.img\n"
               "set up for the card, for PXE boot through memdisk or a virtual floppy.\n"
               "An existing one is replaced once the new one is complete."),
      BuildRow("netboot", BuildKind::kNetboot, kEveryCard, "build the network boot folder in TARGET",
               "Builds the netboot folder in TARGET (the root of a lab's TFTP server): a\n"
               "boot image for every card of the library and the PXELINUX and iPXE menus\n"
               "that pick them (menu.cfg, menu.ipxe), and ALL.IMG with every card. The\n"
               "old folder serves the lab until the new one is complete."),
      BuildRow("universal-usb", BuildKind::kUniversalUsb, kEveryCard,
               "build a BootDisk folder in TARGET with every card",
               "Builds the BootDisk folder in TARGET with every card of the library, for a\n"
               "USB stick that boots any PC of a lab: its boot program picks the PC's own\n"
               "card at boot. The old folder is replaced once the new one is complete."),
      BuildRow("universal-image", BuildKind::kUniversalImage, kEveryCard,
               "write BootDisk.img in TARGET with every card",
               "Writes BootDisk.img in TARGET from the template image with every card of the\n"
               "library; its boot program picks the PC's own card at boot. An existing one\n"
               "is replaced once the new one is complete."),
  };
  return commands;
}

const CommandRow* FindCommand(const std::string& name) {
  for (const CommandRow& row : Commands()) {
    if (name == row.name) return &row;
  }
  return nullptr;
}

std::vector<std::string> OperandNames(const CommandRow& row) {
  std::vector<std::string> names;
  const std::string operands = row.operands;
  for (std::size_t start = 0; start < operands.size();) {
    std::size_t end = operands.find(' ', start);
    if (end == std::string::npos) end = operands.size();
    names.push_back(operands.substr(start, end - start));
    start = end + 1;
  }
  return names;
}
