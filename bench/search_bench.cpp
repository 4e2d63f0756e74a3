// Times FindDriverFiles on generated trees of 10,000, 50,000 and 200,000
// entries, each holding 5,000 driver files with many shared names (some
// below MSLANMAN.DOS folders), against find -iname '*.dos' on the same tree
// in the same run, and prints the times, the ratio and the time per entry.
//
//   search_bench [work folder] [rounds]
//
// The work folder (default: the system's temporary folder) receives a
// folder tovrell-search-bench-<pid> that is removed at the end.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/shell_paths.h"
#include "bench/timing.h"
#include "search/find_driver_files.h"
#include "text/cp936_path.h"

namespace {

constexpr int kSizes[] = {10000, 50000, 200000};
constexpr int kDriverFiles = 5000;
constexpr int kSharedNames = 400;      // driver files share these names
constexpr int kFolderFanOut = 8;       // sub-folders per folder
constexpr int kEntriesPerFolder = 20;  // files and sub-folders of a folder, about
constexpr int kPreferredEvery = 25;    // every 25th folder is named MSLANMAN.DOS

void MakeFile(const std::string& path) {
  const int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
  if (fd < 0) {
    std::perror(path.c_str());
    std::exit(1);
  }
  close(fd);
}

// Lays out `entries` entries below `root`: folders in a tree of fan-out
// kFolderFanOut, and files spread evenly over them, kDriverFiles of them
// driver files named from kSharedNames names. Returns the driver files made.
int Generate(const std::string& root, int entries) {
  const int folders = std::max(1, entries / (kEntriesPerFolder + 1));
  const int files = entries - (folders - 1);  // the root is no entry
  std::vector<std::string> folderPaths{root};
  std::filesystem::create_directories(root);
  for (int i = 1; i < folders; ++i) {
    const std::string parent = folderPaths[static_cast<std::size_t>((i - 1) / kFolderFanOut)];
    const std::string name = i % kPreferredEvery == 0 ? "MSLANMAN.DOS" : "D" + std::to_string(i);
    folderPaths.push_back(parent + "/" + name);
    std::filesystem::create_directory(folderPaths.back());
  }
  // Every k-th file is a driver file; one folder never holds two of a name,
  // since its files are consecutive and the names repeat only every
  // kSharedNames drivers.
  const int every = std::max(1, files / kDriverFiles);
  int drivers = 0;
  for (int i = 0; i < files; ++i) {
    const std::string& folder = folderPaths[static_cast<std::size_t>(i % folders)];
    std::string name;
    if (i % every == 0 && drivers < kDriverFiles) {
      const int shared = (drivers * 7919) % kSharedNames;
      name = (shared % 3 == 0 ? "n" + std::to_string(shared) + ".dos" : "N" + std::to_string(shared) + ".DOS");
      ++drivers;
    } else {
      name = "FILE" + std::to_string(i) + (i % 2 == 0 ? ".TXT" : ".INF");
    }
    MakeFile(folder + "/" + name);
  }
  return drivers;
}


}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path work = argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
  const std::filesystem::path base = work / ("tovrell-search-bench-" + std::to_string(getpid()));

  std::printf("%9s %8s %6s %11s %11s %7s %14s %14s\n", "entries", "drivers", "rows", "search (s)", "find (s)", "ratio",
              "search ns/ent", "find ns/ent");
  bool ok = true;
  double firstPerEntry = 0, lastPerEntry = 0, worstRatio = 0;
  for (int size : kSizes) {
    const std::string root = (base / std::to_string(size)).string();
    const int drivers = Generate(root, size);
    const std::string findCommand = "find " + Quoted(root) + " -iname '*.dos' > /dev/null";
    std::size_t rows = 0;
    auto runSearch = [&] {
      rows = FindDriverFiles(WindowsForm(root)).size();
      return true;
    };
    auto runFind = [&] { return std::system(findCommand.c_str()) == 0; };
    // One untimed run of each: both then find the tree in the cache.
    runSearch();
    runFind();
    std::vector<double> search, find;
    for (int round = 0; round < rounds; ++round) {
      RunRound(round, [&] { search.push_back(Seconds(runSearch)); }, [&] { find.push_back(Seconds(runFind)); });
    }
    if (rows == 0 || rows > static_cast<std::size_t>(drivers)) ok = false;
    const double ratio = Median(search) / Median(find);
    const double perEntry = Median(search) / size * 1e9;
    if (firstPerEntry == 0) firstPerEntry = perEntry;
    lastPerEntry = perEntry;
    worstRatio = std::max(worstRatio, ratio);
    std::printf("%9d %8d %6zu %11.4f %11.4f %7.2f %14.1f %14.1f\n", size, drivers, rows, Median(search), Median(find),
                ratio, perEntry, Median(find) / size * 1e9);
    std::filesystem::remove_all(root);
  }
  std::filesystem::remove_all(base);
  std::printf(
      "Median of %d rounds. Worst ratio %.2f (goal: at most 1.50); time per entry at %d entries is %.2f times "
      "that at %d.\n",
      rounds, worstRatio, kSizes[std::size(kSizes) - 1], lastPerEntry / firstPerEntry, kSizes[0]);
  if (!ok) std::fprintf(stderr, "the search found no rows, or more rows than driver files\n");
  return ok ? 0 : 1;
}
