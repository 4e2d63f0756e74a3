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

bool IsFolder(const std::string& path) {
  const std::uint32_t attributes = port::GetAttributes(path);
  return attributes != port::kInvalidAttributes && (attributes & port::kAttrDirectory) != 0;
}

// With the source below the target, the copy writes into the source itself
// when the source holds, below it, the path that leads from the target down
// to the source (copying C:\A\B\ into C:\A\ while C:\A\B\B\ exists would put
// C:\A\B\B\x onto C:\A\B\x).
bool CopyReachesItsSource(const std::string& sourceFull, const std::string& target) {
  if (!IsStrictlyInside(sourceFull, target)) return false;
  const std::string resolvedSource = WithoutBackslash(port::ResolvedPath(sourceFull));
  const std::string resolvedTarget = WithBackslash(WithoutBackslash(port::ResolvedPath(target)));
  if (resolvedSource.size() <= resolvedTarget.size()) return false;
  return IsFolder(WithBackslash(sourceFull) + resolvedSource.substr(resolvedTarget.size()));
}

// A file that could not be copied: its leftover in the target goes. A folder
// of that name in the target is not a leftover of this copy and stays.
void FailFileCopy(const std::string& targetPath, port::MessageBoxes& boxes) {
  if (IsFolder(targetPath)) {
    boxes.ShowAppMessage("文件拷贝失败！");
  } else {
    AbortCopy(targetPath, boxes);
  }
}

// Copies the content of `source` into `target`, both with a trailing
// backslash. Target paths are the target folder joined with the entry's
// name, never derived from the spelling of the source.
bool CopyFolder(const std::string& source, const std::string& target, FolderLoopGuard* guard,
                port::MessageBoxes& boxes) {
  std::vector<port::FoundEntry> entries;
  if (!port::FindFiles(source + "*.*", &entries)) return true;
  for (const port::FoundEntry& entry : entries) {
    if (entry.IsDots()) continue;
    const std::string targetPath = target + entry.name;
    if (entry.IsDirectory()) {
      // A link back into the folders being copied would repeat them without
      // end; it is left out.
      if (!guard->Enter(entry.path, entry.IsLink())) continue;
      const std::string targetFolder = targetPath + '\\';
      port::CreateFolder(targetFolder);
      const bool copied = CopyFolder(entry.path + '\\', targetFolder, guard, boxes);
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

bool CopyTree(const std::string& source, const std::string& target, port::MessageBoxes& boxes) {
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
  FolderLoopGuard guard;
  guard.Enter(sourceFull, false);
  return CopyFolder(WithBackslash(sourceFull), WithBackslash(target), &guard, boxes);
}
