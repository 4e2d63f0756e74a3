// The arguments the image benchmarks take alike:
//   <benchmark> [repository folder] [work folder] [rounds]
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

struct BenchArgs {
  std::filesystem::path repository = ".";
  std::filesystem::path work = std::filesystem::temp_directory_path();  // where the benchmark's folder goes
  int rounds = 5;
};

inline BenchArgs ReadBenchArgs(int argc, char** argv, int defaultRounds) {
  BenchArgs args;
  if (argc > 1) args.repository = argv[1];
  if (argc > 2) args.work = argv[2];
  args.rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : defaultRounds;
  return args;
}
