#include <vector>

#include "bootdisk/tree_copy.h"
#include "library/folder_loop_guard.h"
#include "library/path_location.h"
#include "port/file_system.h"
#include "text/cp936_path.h"
#include "text/path_form.h"

namespace {

using pathform::WithBackslash;
using pathform::WithoutBackslash;

// With the source below the target, the copy writes into the source itself
// when the source holds, below it, the path that leads from the target down
// to the source (copying C:\A\B\ into C:\A\ while C:\A\B\B\ exists would put
// C:\A\B\B\x onto C:\A\B\x).
bool CopyReachesItsSource(const std::string& sourceFull, const std::string& target) {
  if (!IsStrictlyInside(sourceFull, target)) return false;
  const std::string resolvedSource = WithoutBackslash(port::ResolvedPath(sourceFull));
  const std::string resolvedTarget = WithBackslash(WithoutBackslash(port::ResolvedPath(target)));
  if (resolvedSource.size() <= resolvedTarget.size()) return false;
  return port::IsFolder(WithBackslash(sourceFull) + resolvedSource.substr(resolvedTarget.size()));
}

// A file that could not be copied: its leftover in the target goes. A folder
// of that name in the target is not a leftover of this copy and stays.
void FailFileCopy(const std::string& targetPath, port::MessageBoxes& boxes) {
  if (port::IsFolder(targetPath)) {
    boxes.ShowAppMessage("文件拷贝失败！");
  } else {
    AbortCopy(targetPath, boxes);
  }
}

// What one copy must not reach through a link in its source: the source,
// the target and the caller's guarded folders, as full paths.
struct CopyScope {
  std::vector<std::string> folders;
};

// True when the folder the link `path` leads to overlaps a folder of the
// scope: is one of them, lies inside one, or holds one.
bool LeadsIntoScope(const std::string& path, const CopyScope& scope) {
  for (const std::string& folder : scope.folders) {
    if (IsSameOrInside(path, folder) || IsSameOrInside(folder, path)) return true;
  }
  return false;
}

void ReportLinkNotFollowed(const std::string& path, port::MessageBoxes& boxes) {
  boxes.ShowAppMessage("没有复制链接" + path + "：它指向" + port::ResolvedPath(path) +
                       "，跟随它会复制被复制的文件夹、复制的目标或驱动程序库本身。复制没有完成！");
}

void ReportTargetLink(const std::string& path, port::MessageBoxes& boxes) {
  boxes.ShowAppMessage("复制的目标" + path + "是一个链接，没有通过它写入它指向的" + port::ResolvedPath(path) +
                       "。复制没有完成！");
}

// Copies the content of `source` into `target`, both with a trailing
// backslash. Target paths are the target folder joined with the entry's
// name, never derived from the spelling of the source. Nothing is written
// through a link standing in the target (a folder this copy made holds
// none), and a folder link of the source is followed only where it leads
// outside the scope.
bool CopyFolder(const std::string& source, const std::string& target, bool targetMadeByCopy,
                const CopyScope& scope, FolderLoopGuard* guard, port::MessageBoxes& boxes) {
  std::vector<port::FoundEntry> entries;
  if (!port::FindFiles(source + "*.*", &entries)) return true;
  for (const port::FoundEntry& entry : entries) {
    if (entry.IsDots()) continue;
    const std::string targetPath = target + entry.name;
    if (!targetMadeByCopy && port::IsLink(targetPath)) {
      ReportTargetLink(targetPath, boxes);
      return false;
    }
    if (entry.IsDirectory()) {
      // A link back into the folders being copied would repeat them without
      // end, one into the target would copy the copy.
      if ((entry.IsLink() && LeadsIntoScope(entry.path, scope)) || !guard->Enter(entry.path, entry.IsLink())) {
        ReportLinkNotFollowed(entry.path, boxes);
        return false;
      }
      const std::string targetFolder = targetPath + '\\';
      const bool made = port::CreateFolder(targetFolder);
      const bool copied = CopyFolder(entry.path + '\\', targetFolder, made, scope, guard, boxes);
      guard->Leave();
      if (!copied) return false;
    } else if (!port::CopyOneFile(entry.path, targetPath)) {
      FailFileCopy(targetPath, boxes);
      return false;
    }
  }
  return true;
}

}  // namespace

bool CopyTree(const std::string& source, const std::string& target, port::MessageBoxes& boxes,
              const std::vector<std::string>& guardedFolders) {
  // The listing then reports entry paths in one canonical form whatever
  // spelling the caller used (doubled or forward slashes, "." and "..").
  const std::string sourceFull = port::FullPath(source);
  if (IsSameOrInside(target, sourceFull)) {
    boxes.ShowAppMessage("不能把文件夹" + sourceFull + "复制到它自身或它里面的文件夹" + target + "中！");
    return false;
  }
  if (CopyReachesItsSource(sourceFull, target)) {
    boxes.ShowAppMessage("把文件夹" + sourceFull + "复制到" + target + "会覆盖它自己的文件，没有复制！");
    return false;
  }
  CopyScope scope;
  scope.folders = {sourceFull, port::FullPath(target)};
  for (const std::string& folder : guardedFolders) scope.folders.push_back(port::FullPath(folder));
  FolderLoopGuard guard;
  guard.Enter(sourceFull, false);
  return CopyFolder(WithBackslash(sourceFull), WithBackslash(target), false, scope, &guard, boxes);
}
