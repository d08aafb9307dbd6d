#pragma once
// Medians of timed runs, for the benchmarks' figures.
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace Timing {

using Clock = std::chrono::steady_clock;

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

inline double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The median of `runs` timed runs of `work`, with `reset` (not timed) before each.
inline double Time(int runs, const std::function<void()>& reset, const std::function<void()>& work) {
  std::vector<double> seconds;
  for (int run = 0; run < runs; ++run) {
    reset();
    const auto start = Clock::now();
    work();
    seconds.push_back(SecondsSince(start));
  }
  return Median(seconds);
}

}  // namespace Timing
