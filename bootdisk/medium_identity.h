// The client's identity on one build's medium: the settings (网络设置,
// Tovrell.ini) as the build writes them, and whether each PC that boots the
// medium gets a computer name of its own, drawn at boot by the boot program.
#pragma once

#include <string>
#include <vector>

#include "settings/network_settings.h"

struct MediumIdentity {
  // What SYSTEM.INI and PROTOCOL.INI get (ApplyIdentity); with a name of
  // its own for each PC, computerName is the name's base.
  NetworkSettings settings;
  bool uniqueName = false;
  // The base the boot program puts before "-XXXXXX": the set name, or the
  // template's cut to 8 characters ("PC" when it has none).
  std::string nameBase;
};

// The identity of a build of a medium that one PC boots, or many
// (`manyPcsBoot`: the network boot folder, a universal medium), from
// `settings` and the template's SYSTEM.INI and PROTOCOL.INI. "" when it can
// be written; otherwise the refusal, before anything is written: settings
// the dialog refuses (with its message; a name of its own for each PC takes
// the computer name to 8), a fixed address on a medium many PCs boot (each
// would take the same address), a template that cannot take the settings
// (IdentityConfigProblem, naming the file as `templateNet` + its name).
std::string MediumIdentityOf(const NetworkSettings& settings, bool manyPcsBoot, const std::string& templateNet,
                             const std::string& systemIni, const std::string& protocolIni, MediumIdentity* identity);

// The one line the success message of a medium with a name of its own for
// each PC adds; "" without.
std::string UniqueNameNote(const MediumIdentity& identity);
