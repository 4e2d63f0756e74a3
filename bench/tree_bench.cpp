// Times CopyTree and emptying with DeleteTree on a generated tree of 20,000
// files in 2,040 folders, against cp -r and rm -rf of the same tree in the
// same run, and prints the times and the ratios.
//
//   tree_bench [work folder] [rounds]
//
// The work folder (default: the system's temporary folder) receives a
// folder tovrell-bench-<pid> that is removed at the end.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bench/shell_paths.h"
#include "bench/timing.h"
#include "files/copy_tree.h"
#include "files/delete_tree.h"
#include "port/file_system.h"
#include "text/cp936_path.h"

namespace {

constexpr int kTopFolders = 40;
constexpr int kSubFolders = 50;     // per top folder: 40 + 40 * 50 = 2,040 folders
constexpr int kFilesPerFolder = 10;  // in each sub-folder: 20,000 files

void Generate(const std::filesystem::path& root) {
  std::filesystem::create_directories(root);
  std::string bytes;
  int n = 0;
  for (int top = 0; top < kTopFolders; ++top) {
    const std::filesystem::path topFolder = root / ("DIR" + std::to_string(top));
    std::filesystem::create_directory(topFolder);
    for (int sub = 0; sub < kSubFolders; ++sub) {
      const std::filesystem::path subFolder = topFolder / ("SUB" + std::to_string(sub));
      std::filesystem::create_directory(subFolder);
      for (int file = 0; file < kFilesPerFolder; ++file, ++n) {
        // Small files of varied sizes, as a DOS client and driver packages have.
        bytes.assign(static_cast<std::size_t>(64 + (n * 7919) % 4096), static_cast<char>('A' + n % 26));
        std::ofstream(subFolder / ("FILE" + std::to_string(file) + ".DAT"), std::ios::binary) << bytes;
      }
    }
  }
}

std::size_t CountFiles(const std::filesystem::path& root) {
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) ++files;
  }
  return files;
}


}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path work = argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const std::filesystem::path base = work / ("tovrell-bench-" + std::to_string(getpid()));
  const std::filesystem::path source = base / "source";
  const std::filesystem::path ours = base / "ours";
  const std::filesystem::path reference = base / "reference";

  std::printf("Generating %d files in %d folders below %s ...\n", kTopFolders * kSubFolders * kFilesPerFolder,
              kTopFolders + kTopFolders * kSubFolders, base.c_str());
  Generate(source);

  Messages messages;
  std::vector<double> copyTree, deleteTree, cp, rm;
  for (int round = 0; round < rounds; ++round) {
    // Alternating which goes first evens out what the one leaves to the
    // other (dirty pages, the directory cache).
    auto runOurs = [&] {
      copyTree.push_back(Seconds([&] {
        return port::CreateFolder(WindowsForm(ours.string())) &&
               CopyTree(WindowsForm(source.string()) + "\\", WindowsForm(ours.string()) + "\\", &messages);
      }));
      if (round == 0 && CountFiles(ours) != CountFiles(source)) {
        std::fprintf(stderr, "CopyTree copied %zu of %zu files\n", CountFiles(ours), CountFiles(source));
        std::exit(1);
      }
      deleteTree.push_back(Seconds([&] {
        return DeleteTree(WindowsForm(ours.string()), &messages);
      }));
    };
    auto runReference = [&] {
      cp.push_back(Seconds([&] { return std::system(("cp -r " + Quoted(source.string()) + " " + Quoted(reference.string())).c_str()) == 0; }));
      rm.push_back(Seconds([&] { return std::system(("rm -rf " + Quoted(reference.string())).c_str()) == 0; }));
    };
    RunRound(round, runOurs, runReference);
  }
  std::filesystem::remove_all(base);

  const double copyRatio = Median(copyTree) / Median(cp);
  const double deleteRatio = Median(deleteTree) / Median(rm);
  std::printf("Median of %d rounds:\n", rounds);
  std::printf("  CopyTree    %8.3f s   cp -r   %8.3f s   ratio %.2f\n", Median(copyTree), Median(cp), copyRatio);
  std::printf("  DeleteTree  %8.3f s   rm -rf  %8.3f s   ratio %.2f\n", Median(deleteTree), Median(rm), deleteRatio);
  std::printf("Goal: ratios of at most 1.30\n");
  for (const std::string& text : messages) std::fprintf(stderr, "message: %s\n", text.c_str());
  return messages.empty() ? 0 : 1;
}
