#pragma once
// Wall-clock and processor seconds of one track reading, for the track
// benchmarks. On a shared machine the processor time is the fairer figure;
// both are printed.

#include <sys/stat.h>
#include <time.h>

#include <chrono>
#include <cstdio>
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

// The size of the track data file in megabytes; below zero (with a message)
// when it cannot be examined.
inline double FileMegabytes(const char* path) {
  struct stat facts {};
  if (::stat(path, &facts) != 0) {
    std::fprintf(stderr, "cannot examine %s\n", path);
    return -1;
  }
  return static_cast<double>(facts.st_size) / 1e6;
}

}  // namespace tessarin::bench
