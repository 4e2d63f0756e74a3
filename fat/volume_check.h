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

  // True when the build can change the volume without making it wrong:
  // a disk checker would find nothing but what Image::Open takes as found.
  // Otherwise false, with the first fault found in Chinese in `*problem`:
  // - a folder nested more than 32 deep, "." and ".." that are missing or do
  //   not name the folder and its parent, a live entry after the end mark;
  // - attributes or flags no entry has, a broken or orphaned run of
  //   long-name parts, more than one volume label or one outside the root;
  // - a short name DOS or a disk checker refuses, or one twice in a folder;
  // - a file with a size but no cluster, a folder entry with a size or
  //   without a cluster, a chain that is broken, does not fit its file's
  //   size or shares a cluster with another;
  // - lost clusters (marked in use, reached by no file) that do not form
  //   chains of their own.
  // Reads only.
  bool Run(std::string* problem);

 private:
  // Checks `folder` (its parent's cluster `parent`, `depth` folders below
  // the root, shown as `path`, ending in a backslash) and the folders in it.
  bool CheckFolder(Image::Folder folder, std::uint32_t parent, int depth, const std::string& path);
  // Lost clusters are what DOS leaves when a write is cut short; they stay
  // as they are, since the build takes only free clusters. They must form
  // chains of their own that end as a file's does: a lost chain leading
  // into a free cluster or a file would, once the build wrote there, join
  // that file when a disk checker saves the chain as a file. Run after
  // every folder has been checked.
  bool CheckLostClusters();

  const Image& image_;
  std::vector<std::uint8_t> used_;  // per cluster: reached by a chain already
  std::string* problem_ = nullptr;
};

}  // namespace fat
