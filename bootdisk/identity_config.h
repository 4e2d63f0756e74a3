// The client's identity in a medium's NET folder: SYSTEM.INI's [network]
// names the computer, the user, the workgroup and the logon domain, and
// PROTOCOL.INI's TCP/IP section says where the address comes from. Pure
// functions on the files' bytes, for every build (folders and images) to
// write the same bytes.
#pragma once

#include <string>

#include "bootdisk/boot_config_text.h"
#include "settings/network_settings.h"

// "" when `bytes`, a template's `file`, can take `settings`; otherwise why
// not, as the rest of a sentence whose subject is the file (as
// TemplateConfigProblem's): a fixed address with no TCP/IP section in
// PROTOCOL.INI (no section whose DriverName, read as the client reads it,
// is TCPIP$), or settings CheckNetworkSettings refuses. A build asks before
// it writes anything.
std::string IdentityConfigProblem(BootConfigFile file, const NetworkSettings& settings, const std::string& bytes);

// Writes `settings` into `*bytes`, the content of `file`, each key set
// with text::SetIniValue (its line rewritten in place from the first
// column as "key=value", else added at the end of its section, a missing
// section added at the end of the file; every other byte kept):
// - SYSTEM.INI, section [network]: computername=, username=, workgroup=,
//   logondomain=, each only when its setting is not empty;
// - PROTOCOL.INI, the TCP/IP section: with a fixed address, IPAddress0=,
//   SubNetMask0= and (when one is set) DefaultGateway0=, the four numbers
//   separated by blanks as the client reads them ("192 168 1 20"), and
//   DisableDHCP=1; with DHCP, DisableDHCP=0 (nothing when the template has
//   no TCP/IP section); with DHCP unset, nothing.
// Settings that leave everything unset change no byte. Returns
// IdentityConfigProblem's answer; when it is not "", `*bytes` is unchanged.
std::string ApplyIdentity(BootConfigFile file, const NetworkSettings& settings, std::string* bytes);
