// The opening every build shares: where it writes, asked of the user, made
// a full path, and checked so that a build never changes or removes the
// program's own data (the boot disk template, the template image, the
// driver library, the program folder).
#pragma once

#include <string>
#include <utility>

#include "files/messages.h"
#include "view/main_view.h"

// What a build writes below the target: a folder it replaces whole
// ("NET", "BootDisk") or a file it replaces ("BootDisk.img").
enum class BuildOutput { kFolder, kFile };

// "" when a build may replace `output` (a full path) and fill it from
// `templateSource`; otherwise the Chinese message telling the user why the
// target is refused. Refused: an output that is, or lies inside, the
// template source, the boot disk template, the template image or the
// driver library; and an output that is, or holds, any of these or the
// program folder. Locations are compared as they really are (links
// followed, letter case ignored where the file system ignores it), not as
// they are spelled. Reads nothing but the paths' locations; changes nothing.
std::string CheckBuildOutput(const std::string& output, BuildOutput kind, const std::string& templateSource,
                             const std::string& programFolder);

// Asks for the target path; the output is `<target>\<outputName>` taken
// exactly as typed (relative to the current folder, "T:" and "T:\" both the
// root of T, names ending in a blank or a dot kept) and made a full path,
// so that every message names it as the user finds it. False, with nothing
// changed, when the user cancelled (the focus back to the list) or the
// output is refused (CheckBuildOutput, shown in the main window's box with
// caption "创建错误", the focus back to the list).
bool AskBuildOutput(MainView& view, const std::string& outputName, BuildOutput kind,
                    const std::string& templateSource, const std::string& programFolder, std::string* output);

// Replaces the build folder `buildFolder` (a full path, trailing backslash
// optional) with an empty one. An old one that is a link goes as a link;
// one that cannot be removed whole (a file another program holds open)
// ends the build: what stays of it would be mixed into the new medium, or
// written through where it is a link. False, with the reasons added to
// `messages` (naming what was not built: `what`, "启动盘" or
// "网络启动目录"), when the folder is not there empty and of this build's
// own.
bool ReplaceBuildFolder(const std::string& buildFolder, const std::string& what, Messages* messages);

// Removes a build folder again after the build failed or was cancelled:
// half-built media would look complete. Where some of it stays, says so
// and that it must not be used.
void RemoveBuildFolder(const std::string& buildFolder, Messages* messages);

// Removes the build folder when the build ends early, by a failure, Cancel
// or an exception unwinding through it (RemoveBuildFolder, its messages
// added to `messages`), unless Keep() was called once the build was done.
class BuildFolderGuard {
 public:
  BuildFolderGuard(std::string buildFolder, Messages* messages)
      : buildFolder_(std::move(buildFolder)), messages_(messages) {}
  ~BuildFolderGuard();
  BuildFolderGuard(const BuildFolderGuard&) = delete;
  BuildFolderGuard& operator=(const BuildFolderGuard&) = delete;
  void Keep() { kept_ = true; }

 private:
  std::string buildFolder_;
  Messages* messages_;
  bool kept_ = false;
};

// What the user is told of a build that let an exception out (`failure`,
// FailureOf) after it began on `output`: that it failed and why, and what
// is left of it (CancelledText's words: nothing half made, or what stayed).
std::string FailedText(const std::string& failure, const std::string& output);

// What the user is told of a build cancelled after it began on
// `buildFolder`: that nothing half made is left, or (RemoveBuildFolder
// having said what stayed) only that it was cancelled.
std::string CancelledText(const std::string& buildFolder);

// What the user is told of a build that failed or was cancelled before its
// new `output` (a full path) took the old one's place: the old one is as it
// was, or there was none and nothing half made is left.
std::string UnchangedText(const std::string& output);
