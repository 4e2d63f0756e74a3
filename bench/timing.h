// Timing helpers shared by the benchmarks.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

// Seconds `work` took; a step that reports failure ends the benchmark.
inline double Seconds(const std::function<bool()>& work) {
  const auto start = std::chrono::steady_clock::now();
  if (!work()) {
    std::fprintf(stderr, "a timed step failed\n");
    std::exit(1);
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Runs both sides of one round, the one first that went second in the round
// before, so that neither always finds the caches warm.
inline void RunRound(int round, const std::function<void()>& ours, const std::function<void()>& reference) {
  if (round % 2 == 0) {
    ours();
    reference();
  } else {
    reference();
    ours();
  }
}
