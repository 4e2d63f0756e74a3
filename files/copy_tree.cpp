#include "files/copy_tree.h"

#include "files/delete_tree.h"
#include "files/folder_walk.h"
#include "files/path_location.h"
#include "port/file_system.h"
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

// True when the folder the link `path` leads to overlaps one of `scope`:
// is one of them, lies inside one, or holds one.
bool LeadsIntoScope(const std::string& path, const std::vector<std::string>& scope) {
  for (const std::string& folder : scope) {
    if (IsSameOrInside(path, folder) || IsSameOrInside(folder, path)) return true;
  }
  return false;
}

// One copy: target paths are the target folder joined with the entry's
// name, never derived from the spelling of the source.
class TreeCopy {
 public:
  TreeCopy(const std::string& target, std::vector<std::string> scope, Messages* messages, Progress* progress,
           std::uint64_t files)
      : scope_(std::move(scope)), messages_(messages), progress_(progress), files_(files) {
    levels_.push_back({WithBackslash(target), false});
  }

  WalkStep Visit(const WalkEntry& entry) {
    const port::FoundEntry& found = entry.found;
    levels_.resize(static_cast<std::size_t>(entry.depth) + 1);
    const Level& here = levels_.back();
    const std::string targetPath = here.folder + found.name;
    if (progress_ != nullptr && !found.IsDirectory() && !progress_->Step(targetPath, copied_++, files_)) {
      return WalkStep::kStop;
    }
    // A folder this copy made holds no link of anyone's.
    if (!here.madeByCopy && port::IsLink(targetPath)) {
      messages_->push_back("复制的目标" + targetPath + "是一个链接，没有通过它写入它指向的" +
                           port::ResolvedPath(targetPath) + "。复制没有完成！");
      return WalkStep::kStop;
    }
    if (!found.IsDirectory()) {
      if (port::CopyOneFile(found.path, targetPath)) return WalkStep::kGoOn;
      const std::string why = "无法把" + found.path + "复制到" + targetPath + "：" + port::LastErrorText();
      // The leftover of the file goes; a folder of that name in the target
      // is not a leftover of this copy and stays.
      if (port::IsFolder(targetPath)) {
        messages_->push_back("文件拷贝失败！\n" + why);
      } else {
        AbortCopy(targetPath, messages_, why);
      }
      return WalkStep::kStop;
    }
    // A link back into the folders being copied would repeat them without
    // end, one into the target would copy the copy.
    if (entry.leadsBack || (found.IsLink() && LeadsIntoScope(found.path, scope_))) {
      messages_->push_back("没有复制链接" + found.path + "：它指向" + port::ResolvedPath(found.path) +
                           "，跟随它会复制被复制的文件夹、复制的目标或驱动程序库本身。复制没有完成！");
      return WalkStep::kStop;
    }
    const std::string targetFolder = targetPath + '\\';
    levels_.push_back({targetFolder, port::CreateFolder(targetFolder)});
    return WalkStep::kGoOn;
  }

 private:
  struct Level {
    std::string folder;  // where this depth's entries go, with a trailing backslash
    bool madeByCopy;
  };
  std::vector<std::string> scope_;
  Messages* messages_;
  Progress* progress_;
  std::uint64_t files_;
  std::uint64_t copied_ = 0;
  std::vector<Level> levels_;
};

// The files a copy of `folder` will meet, for its progress; false when the
// user cancelled while they were counted.
bool CountFiles(const std::string& folder, Progress* progress, std::uint64_t* files) {
  FolderWalk walk;
  walk.folder = folder;
  return Walk(walk, [&](const WalkEntry& entry) {
    if (!entry.found.IsDirectory()) ++*files;
    return entry.found.IsDirectory() && !progress->Step(entry.found.path, 0, 0) ? WalkStep::kStop : WalkStep::kGoOn;
  });
}

}  // namespace

bool CopyTree(const std::string& source, const std::string& target, Messages* messages,
              const std::vector<std::string>& guardedFolders, Progress* progress) {
  // The listing then reports entry paths in one canonical form whatever
  // spelling the caller used (doubled or forward slashes, "." and "..").
  const std::string sourceFull = port::FullPath(source);
  if (IsSameOrInside(target, sourceFull)) {
    messages->push_back("不能把文件夹" + sourceFull + "复制到它自身或它里面的文件夹" + target + "中！");
    return false;
  }
  if (CopyReachesItsSource(sourceFull, target)) {
    messages->push_back("把文件夹" + sourceFull + "复制到" + target + "会覆盖它自己的文件，没有复制！");
    return false;
  }
  std::vector<std::string> scope = {sourceFull, port::FullPath(target)};
  for (const std::string& folder : guardedFolders) scope.push_back(port::FullPath(folder));
  FolderWalk walk;
  walk.folder = WithBackslash(sourceFull);
  std::uint64_t files = 0;
  if (progress != nullptr && !CountFiles(walk.folder, progress, &files)) return false;
  TreeCopy copy(target, std::move(scope), messages, progress, files);
  return Walk(walk, [&](const WalkEntry& entry) { return copy.Visit(entry); });
}
