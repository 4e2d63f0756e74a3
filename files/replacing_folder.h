// A folder built whole beside the one it replaces and put in its place only
// once complete, as ReplacingFile does for a file: the old folder (the one a
// lab boots from today) stays exactly as it was while the new one is made,
// and stays so when the build fails or is cancelled. A new folder that
// never took the old one's place is removed when the object goes.
#pragma once

#include <string>

#include "files/messages.h"

class ReplacingFolder {
 public:
  // `target`: the folder to replace, a full path; it need not exist.
  // `what` names it in messages ("网络启动目录").
  ReplacingFolder(std::string target, std::string what);
  // Removes the new folder unless it took the target's place.
  ~ReplacingFolder();
  ReplacingFolder(const ReplacingFolder&) = delete;
  ReplacingFolder& operator=(const ReplacingFolder&) = delete;

  // Makes the new folder beside the target, under a name no entry has
  // (UnusedNameBeside: "<target>.tmp" …). False, with the reason in
  // `messages`, when it cannot be made (the target's folder missing, no
  // folder, or read-only), when a file (not a folder) bears the target's
  // name, or when the old one could not be replaced once it is (a file in it
  // held open, FirstFileHeldOpen): the build need not start. Nothing is then
  // written.
  bool Create(Messages* messages);
  // The new folder, with a trailing backslash, to be filled.
  std::string path() const;

  // Puts the new folder in the target's place: the old one (a folder, a
  // file, or a link, which goes as a link) is moved aside under a free name,
  // the new one takes the target's name, and the old one is removed. When
  // another program holds a file of the old one open, or the old one cannot
  // be moved aside or the new one take the name, the old one is left (or
  // put back) exactly as it was, the new one is removed and the reason is
  // added to `messages`: false. When the old one, once aside, cannot be removed
  // whole, the new one stays in place (true) and `messages` says what is
  // left where.
  bool Replace(Messages* messages);

  // Removes the new folder now, reporting in `messages` what could not be.
  void Discard(Messages* messages);

 private:
  // "" when the old folder can be replaced; otherwise why not.
  std::string OldFolderProblem() const;

  std::string target_;
  std::string what_;
  std::string staging_;  // without a trailing backslash; "" until created
  bool replaced_ = false;
};
