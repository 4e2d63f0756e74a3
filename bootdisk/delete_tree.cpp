#include <vector>

#include "bootdisk/tree_copy.h"
#include "port/file_system.h"
#include "text/cp936_path.h"

namespace {

bool RemoveEntry(const std::string& path, bool isFolder, bool isLink, port::MessageBoxes& boxes);

// Removes every entry of the folder `folderWithBackslash`, stopping at the
// first one that stays.
bool EmptyFolder(const std::string& folderWithBackslash, port::MessageBoxes& boxes) {
  std::vector<port::FoundEntry> entries;
  if (!port::FindFiles(folderWithBackslash + "*.*", &entries)) return true;
  for (const port::FoundEntry& entry : entries) {
    if (entry.IsDots()) continue;
    if (!RemoveEntry(entry.path, entry.IsDirectory(), entry.IsLink(), boxes)) return false;
  }
  return true;
}

bool RemoveEntry(const std::string& path, bool isFolder, bool isLink, port::MessageBoxes& boxes) {
  if (!isFolder) {
    // Only the read-only attribute keeps a file from being deleted, so the
    // attributes are reset only for a file that refused; that spares one
    // call per file of a large tree.
    if (port::RemoveFile(path)) return true;
    // A link's attributes are those of what it leads to, which stays.
    if (!isLink && !port::IsLink(path)) {
      port::SetAttributes(path, port::kAttrNormal);
      if (port::RemoveFile(path)) return true;
    }
    boxes.ShowAppMessage("删除文件" + path + "失败！");
    return false;
  }
  // An empty folder, or a link to a folder, goes at once.
  if (port::RemoveFolder(path)) return true;
  // What a link leads to is not part of the tree being removed: it is never
  // emptied through the link.
  if (!isLink) {
    // A failure inside has been reported; the folder then stays and is
    // reported below, once for each enclosing level.
    EmptyFolder(path + "\\", boxes);
    if (port::RemoveFolder(path)) return true;
  }
  boxes.ShowAppMessage("删除目录" + path + "失败！");
  return false;
}

}  // namespace

bool DeleteTree(const std::string& path, port::MessageBoxes& boxes) {
  if (path.empty()) return true;
  if (cp936::EndsWithBackslash(path)) {
    // What a link shows as its content belongs to the folder it leads to;
    // the link itself is what goes.
    if (!port::IsLink(path)) return EmptyFolder(path, boxes);
    std::string link = path;
    while (cp936::EndsWithBackslash(link)) link.pop_back();
    return RemoveEntry(link, port::IsFolder(link), true, boxes);
  }
  const std::uint32_t attributes = port::GetAttributes(path);
  if (attributes == port::kInvalidAttributes) return true;
  const bool isLink = (attributes & port::kAttrReparsePoint) != 0 || port::IsLink(path);
  return RemoveEntry(path, (attributes & port::kAttrDirectory) != 0, isLink, boxes);
}

void AbortCopy(const std::string& path, port::MessageBoxes& boxes) {
  boxes.ShowAppMessage("文件拷贝失败！");
  DeleteTree(path, boxes);
  port::RemoveFolder(path);
}
