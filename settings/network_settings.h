// The identity the DOS network client gets on the media Tovrell builds:
// its computer, user, workgroup and logon domain names and its TCP/IP
// address, as the user sets them (the "网络设置" dialog, or Tovrell.ini by
// hand), and the one check both the dialog and the builds apply to them.
#pragma once

#include <optional>
#include <string>

// Empty text and an unset choice keep what the boot disk template says, so
// that settings left alone change no byte of a build.
struct NetworkSettings {
  std::string computerName;
  // Each PC a computer name of its own (the name followed by "-XXXXXX"
  // drawn at boot); unset: as the build decides (GivesEachPcItsOwnName).
  std::optional<bool> uniqueName;
  std::string userName;
  std::string workgroup;
  std::string logonDomain;
  // true: the address comes from a DHCP server; false: the fixed address
  // below; unset: as the template says, and the addresses are not used.
  std::optional<bool> dhcp;
  std::string ipAddress;   // dotted quads, as typed
  std::string subnetMask;
  std::string gateway;     // may stay empty with a fixed address
};

// Whether a build gives each PC a computer name of its own: as uniqueName
// says, else when `manyPcsBoot` (the network boot folder and the universal
// medium, which a whole lab boots).
bool GivesEachPcItsOwnName(const NetworkSettings& settings, bool manyPcsBoot);

// The field a refusal is about, for the dialog to focus it.
enum class SettingsField {
  kNone,
  kComputerName,
  kUserName,
  kWorkgroup,
  kLogonDomain,
  kIpAddress,
  kSubnetMask,
  kGateway,
};

struct SettingsProblem {
  SettingsField field = SettingsField::kNone;  // kNone: the settings are accepted
  std::string message;                          // why, naming the field; "" when accepted
};

// The settings as a build can write them, checked field by field in the
// dialog's order; the first refusal is returned. Refused:
// - a name (computer, user, workgroup, logon domain) longer than 15
//   characters or holding anything but ASCII letters, digits and
//   ! @ # $ % ^ & ( ) - _ ' { } . ~ (no blanks); a computer name longer than
//   8 where each PC gets a name of its own (GivesEachPcItsOwnName with
//   `manyPcsBoot`), the PC's part "-XXXXXX" taking the other 7;
// - with a fixed address (dhcp false): a missing address or mask; an
//   address, mask or gateway that is not four numbers 0-255 (ParseIpv4); a
//   mask whose one bits are not contiguous from the top, or 0.0.0.0; an
//   address that is its subnet's network or broadcast address; a gateway
//   outside the address's subnet, or its network or broadcast address.
// Addresses are not looked at without a fixed address, as no build writes
// them then. The dialog checks with `manyPcsBoot` false, so whatever it
// refuses every build refuses with the same message.
SettingsProblem CheckNetworkSettings(const NetworkSettings& settings, bool manyPcsBoot);
