// The opening and the ending every build shares: where it writes, made a
// full path and checked so that a build never changes or removes the
// program's own data (the boot disk template, the template image, the
// driver library, the program folder); the build folder replaced, and
// removed again when the build ends early; what the user is told then.
#pragma once

#include <string>
#include <utility>

#include "bootdisk/build_request.h"
#include "files/messages.h"
#include "work/outcome.h"

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

// The opening of every build: its output `<target>\<outputName>`
// (BuildOutputOf) in `*output`, checked against the program's own data
// with `templateSource` as the build's template (CheckBuildOutput). False,
// with the refusal noted in `*outcome`, when it is refused.
bool OpenBuildOutput(const BuildRequest& request, const std::string& outputName, BuildOutput kind,
                     const std::string& templateSource, Outcome* outcome, std::string* output);

// The output of a build: `<targetPath>\<outputName>`, `targetPath` taken
// exactly as the user gave it (relative to the current folder, "T:" and
// "T:\" both the root of T, names ending in a blank or a dot kept), made a
// full path, so that every message names it as the user finds it.
std::string BuildOutputOf(const std::string& targetPath, const std::string& outputName);

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
// noted as failures in `outcome`), unless Keep() was called once the build
// was done.
class BuildFolderGuard {
 public:
  BuildFolderGuard(std::string buildFolder, Outcome* outcome)
      : buildFolder_(std::move(buildFolder)), outcome_(outcome) {}
  ~BuildFolderGuard();
  BuildFolderGuard(const BuildFolderGuard&) = delete;
  BuildFolderGuard& operator=(const BuildFolderGuard&) = delete;
  void Keep() { kept_ = true; }

 private:
  std::string buildFolder_;
  Outcome* outcome_;
  bool kept_ = false;
};

// What the user is told of a build of `what` ("NET目录", "启动镜像" …) that
// let an exception out (`failure`, FailureOf) after it began on `output`:
// that it failed and why, and what is left: the old output as it was for a
// build that replaces it only once complete (`replacesWhenComplete`),
// otherwise that nothing half made is left (RemoveBuildFolder having said
// what stayed, if anything did).
std::string FailedText(const std::string& failure, const std::string& what, const std::string& output,
                       bool replacesWhenComplete);

// What the user is told of a build cancelled after it began on
// `buildFolder`: that nothing half made is left, or (RemoveBuildFolder
// having said what stayed) only that it was cancelled.
std::string CancelledText(const std::string& buildFolder);

// What the user is told of a build that failed or was cancelled before its
// new `output` (a full path) took the old one's place: the old one is as it
// was, or there was none and nothing half made is left.
std::string UnchangedText(const std::string& output);
