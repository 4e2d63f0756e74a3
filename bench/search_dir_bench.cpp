// Times FindDriverFiles on the Win32 port against "cmd /c dir /s /b
// <tree>\*.dos >NUL" on the same tree, in alternating rounds of one run, and
// prints the medians and their ratio. tools/bench.sh runs it under Wine on
// a tree laid out by make_driver_cd; on Windows it runs as it is.
//
//   search_dir_bench <tree> [driver files in the tree] [rounds]
//
// With the number of driver files given, a search that finds more rows
// than that (a folder listed twice) ends the benchmark with an error, as
// one that finds none always does.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/timing.h"
#include "search/find_driver_files.h"

namespace {

// Runs `commandLine` and waits for it; false when it cannot be started or
// does not end with exit code 0.
bool RunAndWait(std::string commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: search_dir_bench <tree> [driver files] [rounds]\n");
    return 2;
  }
  const std::string tree = argv[1];
  const long drivers = argc > 2 ? std::atol(argv[2]) : 0;
  const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
  const std::string dirCommand = "cmd /c dir /s /b \"" + tree + "\\*.dos\" >NUL";

  std::size_t rows = 0;
  auto runSearch = [&] {
    rows = FindDriverFiles(tree).size();
    return true;
  };
  auto runDir = [&] { return RunAndWait(dirCommand); };
  // One untimed run of each: both then find the tree in the caches.
  runSearch();
  runDir();
  std::vector<double> search, dir;
  for (int round = 0; round < rounds; ++round) {
    RunRound(round, [&] { search.push_back(Seconds(runSearch)); }, [&] { dir.push_back(Seconds(runDir)); });
  }
  std::printf("%6s %11s %11s %7s\n", "rows", "search (s)", "dir /s (s)", "ratio");
  std::printf("%6zu %11.3f %11.3f %7.2f\n", rows, Median(search), Median(dir), Median(search) / Median(dir));
  std::printf("Median of %d rounds (goal: ratio at most 1.00).\n", rounds);
  if (rows == 0 || (drivers > 0 && rows > static_cast<std::size_t>(drivers))) {
    std::fprintf(stderr, "the search found no rows, or more rows than driver files\n");
    return 1;
  }
  return 0;
}
