#include "bootdisk/medium_identity.h"

#include <vector>

#include "bootdisk/boot_config_text.h"
#include "bootdisk/identity_config.h"
#include "text/cp936_path.h"
#include "text/ini_lines.h"
#include "text/text_lines.h"

namespace {

// The template's computer name: SYSTEM.INI's first computername= of
// [network], as the client reads it.
std::string TemplateComputerName(const std::string& systemIni) {
  const std::vector<text::IniLine> lines = text::ReadIniLines(text::TextBeforeEndMark(systemIni));
  const text::IniSections sections(lines);
  const text::IniSection* network = sections.Find("network");
  if (network == nullptr) return std::string();
  for (const text::IniLine* line : network->keyLines) {
    if (line->HasKey("computername")) return text::ClientValue(line->value);
  }
  return std::string();
}

// The most of SYSTEM.INI the boot program reads, and the room its new
// computername= line may take beyond the old one.
constexpr std::size_t kBootProgramIniMax = 16384;
constexpr std::size_t kRoomForTheName = 64;

// The first 8 bytes of `name`, never half a double-byte character, and no
// '-' at the end (the PC's own part is joined with one); "PC" for none.
std::string NameBase(const std::string& name) {
  std::string base;
  for (std::size_t i = 0; i < name.size();) {
    const std::size_t length = cp936::IsLeadByte(static_cast<unsigned char>(name[i])) && i + 1 < name.size() ? 2 : 1;
    if (base.size() + length > 8) break;
    base += name.substr(i, length);
    i += length;
  }
  while (!base.empty() && base.back() == '-') base.pop_back();
  return base.empty() ? "PC" : base;
}

}  // namespace

std::string MediumIdentityOf(const NetworkSettings& settings, bool manyPcsBoot, const std::string& templateNet,
                             const std::string& systemIni, const std::string& protocolIni, MediumIdentity* identity) {
  const std::string where = "网络设置（" + std::string("Tovrell.ini") + "）";
  const SettingsProblem problem = CheckNetworkSettings(settings, manyPcsBoot);
  if (problem.field != SettingsField::kNone) return where + "：" + problem.message;
  if (manyPcsBoot && settings.dhcp.has_value() && !*settings.dhcp) {
    return where + "给了固定的IP地址" + settings.ipAddress +
           "，而很多台电脑从这个启动盘启动，每台都会用这同一个地址。请在网络设置中选择“自动获取IP地址 (DHCP)”。";
  }
  identity->settings = settings;
  identity->uniqueName = GivesEachPcItsOwnName(settings, manyPcsBoot);
  if (identity->uniqueName) {
    // The boot program reads SYSTEM.INI whole into a buffer of its own.
    if (systemIni.size() + kRoomForTheName > kBootProgramIniMax) {
      return "启动盘模板中的" + templateNet + "SYSTEM.INI有" + std::to_string(systemIni.size()) +
             "字节，启动程序TOVRELL.COM最多读" + std::to_string(kBootProgramIniMax - kRoomForTheName) +
             "字节，无法给每台电脑取自己的计算机名。请删掉SYSTEM.INI中用不到的行，或在网络设置中不选“每台电脑使用不同的计算机名”。";
    }
    identity->nameBase = NameBase(settings.computerName.empty() ? TemplateComputerName(systemIni) : settings.computerName);
    identity->settings.computerName = identity->nameBase;
    // The template's own name must be one the client takes, too.
    const SettingsProblem baseProblem = CheckNetworkSettings(identity->settings, true);
    if (baseProblem.field != SettingsField::kNone) {
      return "启动盘模板的计算机名“" + identity->nameBase + "”不能作为每台电脑计算机名的开头：" + baseProblem.message;
    }
  }
  for (BootConfigFile file : {BootConfigFile::kSystemIni, BootConfigFile::kProtocolIni}) {
    const std::string templateProblem =
        IdentityConfigProblem(file, identity->settings, file == BootConfigFile::kSystemIni ? systemIni : protocolIni);
    if (!templateProblem.empty()) {
      return "启动盘模板中的" + templateNet + BootConfigFileName(file) + templateProblem + "，启动盘没有创建！";
    }
  }
  return std::string();
}

std::string UniqueNameNote(const MediumIdentity& identity) {
  if (!identity.uniqueName) return std::string();
  return "每台电脑启动时得到自己的计算机名：" + identity.nameBase + "-XXXXXX（XXXXXX由启动程序TOVRELL.COM随机产生）。";
}
