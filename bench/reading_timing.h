#pragma once
// Wall-clock and processor seconds of one track reading, for the track
// benchmarks. On a shared machine the processor time is the fairer figure;
// both are printed.

#include <time.h>

#include <chrono>
#include <functional>

namespace tessarin::bench {

struct Timing {
  double wall = 0;
  double cpu = 0;
};

inline double ProcessorSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

inline Timing Measure(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  const double cpuStart = ProcessorSeconds();
  work();
  return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
          ProcessorSeconds() - cpuStart};
}

}  // namespace tessarin::bench
