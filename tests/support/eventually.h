#pragma once
// Waiting, boundedly, for something another process does.

#include <sys/stat.h>

#include <chrono>
#include <string>
#include <thread>

namespace tessarin::testing {

// Polls `done` every 10 ms until it holds or `milliseconds` have passed.
template <typename Condition>
bool Eventually(Condition done, int milliseconds = 5000) {
  for (int waited = 0; waited < milliseconds; waited += 10) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

inline bool PathExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

}  // namespace tessarin::testing
