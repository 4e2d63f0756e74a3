#include "files/delete_tree.h"

#include "files/folder_walk.h"
#include "port/file_system.h"
#include "text/cp936_path.h"
#include "text/path_form.h"

namespace {

bool RemoveFile(const std::string& path, bool isLink, Messages* messages) {
  // Only the read-only attribute keeps a file from being deleted, so the
  // attributes are reset only for a file that refused; that spares one
  // call per file of a large tree.
  if (port::RemoveFile(path)) return true;
  // A link's attributes are those of what it leads to, which stays.
  if (!isLink && !port::IsLink(path)) {
    port::SetAttributes(path, port::kAttrNormal);
    if (port::RemoveFile(path)) return true;
  }
  messages->push_back("删除文件" + path + "失败！");
  return false;
}

void ReportFolderStays(const std::string& path, Messages* messages) {
  messages->push_back("删除目录" + path + "失败！");
}

// Removes every entry of `folder`, stopping at the first one that stays. An
// empty folder, or a link to a folder, goes at once without being listed;
// what a link leads to is not part of the tree and is never entered.
bool RemoveContent(const std::string& folder, Messages* messages) {
  FolderWalk walk;
  walk.folder = folder;
  walk.enterLinks = false;
  walk.afterContent = true;
  return Walk(walk, [&](const WalkEntry& entry) {
    const port::FoundEntry& found = entry.found;
    if (!found.IsDirectory()) return RemoveFile(found.path, found.IsLink(), messages) ? WalkStep::kGoOn : WalkStep::kStop;
    if (!entry.afterContent) {
      if (port::RemoveFolder(found.path)) return WalkStep::kSkip;
      if (!found.IsLink()) return WalkStep::kGoOn;  // emptied, then removed after its content
      ReportFolderStays(found.path, messages);
      return WalkStep::kStop;
    }
    // A failure inside has been reported; the folder then stays and is
    // reported here, once for each enclosing level.
    if (port::RemoveFolder(found.path)) return WalkStep::kGoOn;
    ReportFolderStays(found.path, messages);
    return WalkStep::kStop;
  });
}

// Removes one entry named by its own path.
bool RemoveEntry(const std::string& path, bool isFolder, bool isLink, Messages* messages) {
  if (!isFolder) return RemoveFile(path, isLink, messages);
  if (port::RemoveFolder(path)) return true;
  if (!isLink) {
    RemoveContent(path, messages);
    if (port::RemoveFolder(path)) return true;
  }
  ReportFolderStays(path, messages);
  return false;
}

}  // namespace

bool DeleteTree(const std::string& path, Messages* messages) {
  const std::string entry = pathform::WithoutBackslash(path);
  if (entry.empty()) return true;
  const std::uint32_t attributes = port::GetAttributes(entry);
  if (attributes == port::kInvalidAttributes) return true;
  const bool isLink = (attributes & port::kAttrReparsePoint) != 0 || port::IsLink(entry);
  return RemoveEntry(entry, (attributes & port::kAttrDirectory) != 0, isLink, messages);
}

bool EmptyFolder(const std::string& folder, Messages* messages) {
  // What a link shows as its content belongs to the folder it leads to;
  // the link itself is what goes.
  if (port::IsLink(folder)) return DeleteTree(folder, messages);
  return RemoveContent(pathform::WithBackslash(folder), messages);
}

std::string FirstFileHeldOpen(const std::string& path) {
  if (port::IsLink(path)) return std::string();
  if (!port::IsFolder(path)) return port::IsHeldOpen(path) ? path : std::string();
  std::string held;
  FolderWalk walk;
  walk.folder = path;
  walk.enterLinks = false;
  Walk(walk, [&](const WalkEntry& entry) {
    if (entry.found.IsDirectory() || entry.found.IsLink() || !port::IsHeldOpen(entry.found.path)) return WalkStep::kGoOn;
    held = entry.found.path;
    return WalkStep::kStop;
  });
  return held;
}

void AbortCopy(const std::string& path, Messages* messages, const std::string& why) {
  messages->push_back(why.empty() ? "文件拷贝失败！" : "文件拷贝失败！\n" + why);
  DeleteTree(path, messages);
}
