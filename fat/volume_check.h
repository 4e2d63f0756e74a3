// The check Image::Open makes of a whole volume before taking it: every
// folder from the root is walked, every entry and cluster chain checked, and
// the clusters they use counted against the FAT.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fat/image.h"

namespace fat {

class VolumeCheck {
 public:
  // `image` has a sound boot sector and FATs (as Open has found) and
  // outlives the check.
  explicit VolumeCheck(const Image& image) : image_(image) {}

  // True when a disk checker would find nothing wrong with the folders, the
  // entries and the chains; otherwise false, with the first fault found in
  // Chinese in `*problem`:
  // - a folder nested more than 32 deep, "." and ".." that are missing or do
  //   not name the folder and its parent, an entry after the end mark;
  // - attributes or flags no entry has, a broken or orphaned run of
  //   long-name parts, more than one volume label or one outside the root, a
  //   root label that differs from the boot sector's;
  // - a short name DOS or a disk checker refuses, or one twice in a folder;
  // - a file with a size but no cluster, a folder entry with a size or
  //   without a cluster, a chain that is broken, does not fit its file's
  //   size or shares a cluster with another, a cluster marked in use that no
  //   chain reaches.
  // Reads only.
  bool Run(std::string* problem);

 private:
  // Checks `folder` (its parent's cluster `parent`, `depth` folders below
  // the root, shown as `path`, ending in a backslash) and the folders in it.
  bool CheckFolder(Image::Folder folder, std::uint32_t parent, int depth, const std::string& path);

  const Image& image_;
  std::vector<std::uint8_t> used_;  // per cluster: reached by a chain already
  std::string* problem_ = nullptr;
};

}  // namespace fat
