#include "fat/volume_check.h"

#include <set>

#include "fat/dir_entry.h"
#include "fat/dos_name.h"
#include "fat/refusal.h"

namespace fat {

bool VolumeCheck::Run(std::string* problem) {
  problem_ = problem;
  used_.assign(std::size_t{image_.boot_.clusterCount} + 2, 0);
  return CheckFolder(Image::Folder(), 0, 0, "\\") && CheckLostClusters();
}

bool VolumeCheck::CheckLostClusters() {
  const std::uint32_t last = image_.boot_.clusterCount + 1;
  const auto isLost = [&](std::uint32_t cluster) {
    if (cluster < 2 || cluster > last || used_[cluster] != 0) return false;
    const std::uint32_t value = image_.FatEntry(cluster);
    return value != 0 && value != image_.BadCluster();
  };
  // A chain starts at a lost cluster no other lost cluster leads to.
  std::vector<std::uint8_t> led(std::size_t{last} + 1, 0);
  for (std::uint32_t cluster = 2; cluster <= last; ++cluster) {
    if (isLost(cluster) && isLost(image_.FatEntry(cluster))) led[image_.FatEntry(cluster)] = 1;
  }
  const std::string lost = "FAT中有标为已用、却不属于任何文件的簇（丢失的簇），它们";
  for (std::uint32_t cluster = 2; cluster <= last; ++cluster) {
    if (!isLost(cluster) || led[cluster] != 0) continue;
    std::vector<std::uint32_t> clusters;
    std::string chainProblem;
    if (!image_.Chain(cluster, &clusters, &chainProblem)) return Refuse(problem_, lost + "的" + chainProblem);
    for (std::uint32_t c : clusters) {
      if (used_[c] != 0) return Refuse(problem_, lost + "与文件或其他丢失的簇共用簇（交叉链接）");
      used_[c] = 1;
    }
  }
  // What no chain start reached leads only to itself.
  for (std::uint32_t cluster = 2; cluster <= last; ++cluster) {
    if (isLost(cluster)) return Refuse(problem_, lost + "的簇链形成了环");
  }
  return true;
}

bool VolumeCheck::CheckFolder(Image::Folder folder, std::uint32_t parent, int depth, const std::string& path) {
  if (depth > 32) return Refuse(problem_, "文件夹" + path + "嵌套太深");
  const std::vector<std::size_t> slots = image_.Slots(folder);
  std::set<std::string> names;
  bool longNamePending = false;
  std::uint32_t longNameNext = 0;
  std::uint8_t longNameSum = 0;
  int labels = 0;
  const std::string brokenLongName = "文件夹" + path + "中有残缺的长文件名项";

  bool ended = false;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    const DirEntry entry = DirEntry::Read(image_.bytes_, slots[i]);
    if (folder.cluster != 0 && i < 2) {
      // A sub-folder starts with "." (itself) and ".." (its parent, 0 for
      // the root).
      if (entry.name != (i == 0 ? ".          " : "..         ") || !entry.IsFolder() || entry.IsVolumeLabel() ||
          entry.HasReservedAttributes() || entry.HasUnknownCaseFlags() ||
          entry.firstCluster != (i == 0 ? folder.cluster : parent) || entry.size != 0) {
        return Refuse(problem_, "文件夹" + path + "的“.”和“..”项不对");
      }
      continue;
    }
    // DOS stops at the end mark; a disk checker reads on and would see a
    // live entry there, but skips deleted ones as DOS does.
    if (ended && !entry.IsEndMark() && !entry.IsDeleted()) {
      return Refuse(problem_, "文件夹" + path + "的结束标记之后还有目录项");
    }
    if (entry.IsEndMark() || entry.IsDeleted()) {
      if (longNamePending) return Refuse(problem_, brokenLongName);
      ended = ended || entry.IsEndMark();
      continue;
    }
    if (entry.HasReservedAttributes()) return Refuse(problem_, "文件夹" + path + "中有属性无效的目录项");
    if (entry.IsLongNamePart()) {
      const LongNamePart part = LongNamePart::Read(image_.bytes_, slots[i]);
      if (part.type != 0 || part.firstCluster != 0) return Refuse(problem_, brokenLongName);
      if (part.IsLastPart()) {
        if (longNamePending || part.Number() == 0 || part.Number() > 20) return Refuse(problem_, brokenLongName);
        longNamePending = true;
        longNameNext = part.Number() - 1;
        longNameSum = part.checksum;
      } else if (!longNamePending || part.order != longNameNext || longNameNext == 0 || part.checksum != longNameSum) {
        return Refuse(problem_, brokenLongName);
      } else {
        --longNameNext;
      }
      continue;
    }

    if (longNamePending && (longNameNext != 0 || ShortNameChecksum(entry.name) != longNameSum)) {
      return Refuse(problem_, brokenLongName);
    }
    longNamePending = false;
    if (entry.IsVolumeLabel()) {
      if (folder.cluster != 0 || entry.IsFolder() || entry.firstCluster != 0 || entry.size != 0 || ++labels > 1) {
        return Refuse(problem_, "文件夹" + path + "中有无效的卷标项");
      }
      continue;
    }
    if (entry.HasUnknownCaseFlags()) return Refuse(problem_, "文件夹" + path + "中有带无效标志的目录项");
    const std::string display = path + DisplayName(entry.name);
    if (entry.name[0] == '.' || !IsSoundShortName(entry.name)) {
      return Refuse(problem_, "文件夹" + path + "中有无效的短文件名");
    }
    if (!names.insert(entry.name).second) {
      return Refuse(problem_, "文件夹" + path + "中有重复的文件名" + DisplayName(entry.name));
    }
    if (!entry.IsFolder() && entry.firstCluster == 0) {
      if (entry.size != 0) return Refuse(problem_, "文件" + display + "有大小却没有簇");
      continue;
    }
    if (entry.IsFolder() && (entry.size != 0 || entry.firstCluster == 0)) {
      return Refuse(problem_, "文件夹" + display + "的目录项无效");
    }
    const std::string kind = entry.IsFolder() ? "文件夹" : "文件";
    std::vector<std::uint32_t> clusters;
    std::string chainProblem;
    if (!image_.Chain(entry.firstCluster, &clusters, &chainProblem)) {
      return Refuse(problem_, kind + display + "的" + chainProblem);
    }
    const std::size_t clusterBytes = image_.boot_.clusterBytes;
    if (!entry.IsFolder() && clusters.size() != (std::uint64_t{entry.size} + clusterBytes - 1) / clusterBytes) {
      return Refuse(problem_, "文件" + display + "的大小与它的簇链长度不符");
    }
    for (std::uint32_t c : clusters) {
      if (used_[c] != 0) return Refuse(problem_, kind + display + "与另一个文件共用簇（交叉链接）");
      used_[c] = 1;
    }
    if (entry.IsFolder() &&
        !CheckFolder(Image::Folder{entry.firstCluster}, folder.cluster, depth + 1, display + "\\")) {
      return false;
    }
  }
  if (longNamePending) return Refuse(problem_, brokenLongName);
  return true;
}

}  // namespace fat
