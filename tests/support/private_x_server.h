#pragma once
// An Xvfb server of a test program's own, for tests that need X11 whether or
// not a display is set where they run (CI has none).

#include <chrono>
#include <string>
#include <thread>

#include "platform/process_posix.h"

namespace tessarin::testing {

// Polls `done` every 10 ms for up to `milliseconds`.
template <typename Condition>
bool Eventually(Condition done, int milliseconds = 5000) {
  for (int waited = 0; waited < milliseconds; waited += 10) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

class PrivateXServer {
 public:
  // Starts the server on the first free display and points DISPLAY at it;
  // false, with the reason in Failure(), when it could not.
  static bool Start();
  static void Stop();
  // ":<n>", or empty when no server runs.
  static const std::string& DisplayName() { return display_; }
  static const std::string& Failure() { return failure_; }
  // The processes started for the tests that use the server.
  static platform::PosixProcesses& Processes();

 private:
  static inline int serverId_ = 0;
  static inline std::string display_;
  static inline std::string failure_;
};

}  // namespace tessarin::testing
