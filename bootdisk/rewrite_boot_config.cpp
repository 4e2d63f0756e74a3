#include "bootdisk/rewrite_boot_config.h"

#include <string_view>

#include "bootdisk/clear_read_only.h"
#include "bootdisk/tree_copy.h"
#include "port/file_system.h"
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

// Rewrites the file `fileName` of `netFolder` (with a trailing backslash):
// the first line holding `key` becomes `newLine`. `newLine` null means the
// driver gives no such line, which is a failure only when the file has the
// key.
bool RewriteConfigFile(const std::string& netFolder, const char* fileName, std::string_view key,
                       const std::string* newLine, port::MessageBoxes& boxes) {
  const std::string tempPath = netFolder + "TEMP.INI";
  if (!port::WriteFile(tempPath, std::string())) {
    boxes.ShowAppMessage("创建文件失败!");
    return false;
  }
  const std::string path = netFolder + fileName;
  ClearReadOnly(path);
  std::string bytes;
  if (!port::ReadFile(path, &bytes)) {
    port::RemoveFile(tempPath);
    AbortCopy(netFolder, boxes);
    return false;
  }
  std::size_t start = 0;
  std::size_t end = 0;
  if (!FindLineWithKey(bytes, key, &start, &end)) {
    port::RemoveFile(tempPath);
    return true;
  }
  if (newLine == nullptr) {
    port::RemoveFile(tempPath);
    AbortCopy(netFolder, boxes);
    return false;
  }
  bytes.replace(start, end - start, *newLine);
  if (!port::WriteFile(tempPath, bytes)) {
    AbortCopy(tempPath, boxes);
    return false;
  }
  if (!port::ReplaceEntry(tempPath, path)) {
    port::RemoveFile(tempPath);
    boxes.ShowAppMessage("无法改写文件" + path + "，它保留了原来的内容！");
    return false;
  }
  return true;
}

}  // namespace

bool RewriteBootConfig(const std::string& netFolder, const std::string& driverFileName, port::MessageBoxes& boxes) {
  const std::string folder = cp936::EndsWithBackslash(netFolder) ? netFolder : netFolder + '\\';
  const std::string netcard = text::Trim(driverFileName);
  const std::string netcardLine = "netcard=" + netcard;
  if (!RewriteConfigFile(folder, "SYSTEM.INI", "netcard=", &netcardLine, boxes)) return false;

  const std::size_t dot = cp936::FindLast(netcard, '.');
  const std::string driverNameLine =
      dot == cp936::npos ? std::string() : "DriverName=" + text::Trim(netcard.substr(0, dot)) + "$";
  return RewriteConfigFile(folder, "PROTOCOL.INI", "DriverName=", dot == cp936::npos ? nullptr : &driverNameLine,
                           boxes);
}
