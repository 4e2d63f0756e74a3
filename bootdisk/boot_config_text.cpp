#include "bootdisk/boot_config_text.h"

#include <string_view>

#include "text/cp936_path.h"
#include "text/text_lines.h"
#include "text/white_space.h"

namespace {

// Where `key` starts in `line` on a character boundary, or npos: the bytes of
// a key can also be the trail byte of a double-byte character and the lead
// byte of the next one.
std::size_t FindKey(std::string_view line, std::string_view key) {
  std::size_t i = 0;
  while (i + key.size() <= line.size()) {
    if (line.compare(i, key.size(), key) == 0) return i;
    i += cp936::IsLeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size() ? 2 : 1;
  }
  return cp936::npos;
}

// The first line whose text holds `key`, as [*start, *end).
bool FindLineWithKey(std::string_view bytes, std::string_view key, std::size_t* start, std::size_t* end) {
  for (const text::TextLine& line : text::SplitTextLines(bytes)) {
    if (FindKey(bytes.substr(line.start, line.end - line.start), key) != cp936::npos) {
      *start = line.start;
      *end = line.end;
      return true;
    }
  }
  return false;
}

}  // namespace

const char* BootConfigFileName(BootConfigFile file) {
  return file == BootConfigFile::kSystemIni ? "SYSTEM.INI" : "PROTOCOL.INI";
}

BootConfigRewrite RewriteBootConfigText(BootConfigFile file, const std::string& driverFileName, std::string* bytes) {
  const bool system = file == BootConfigFile::kSystemIni;
  std::size_t start = 0;
  std::size_t end = 0;
  if (!FindLineWithKey(*bytes, system ? "netcard=" : "DriverName=", &start, &end)) return BootConfigRewrite::kNoKey;

  const std::string netcard = text::Trim(driverFileName);
  std::string line;
  if (system) {
    line = "netcard=" + netcard;
  } else {
    const std::size_t dot = cp936::FindLast(netcard, '.');
    if (dot == cp936::npos) return BootConfigRewrite::kNoDeviceName;
    line = "DriverName=" + text::Trim(netcard.substr(0, dot)) + "$";
  }
  bytes->replace(start, end - start, line);
  return BootConfigRewrite::kRewritten;
}
