#pragma once
// A private Xvfb server for the tests that need windows, on the first free
// display; DISPLAY points at it while it runs.

#include <string>

#include "platform/process_posix.h"

namespace tessarin::testing {

class XServer {
 public:
  // False (with Failure() telling why) when no server could be started.
  static bool Start();
  static void Stop();
  static const std::string& DisplayName() { return display_; }
  static const std::string& Failure() { return failure_; }
  static platform::PosixProcesses& Processes();

 private:
  static inline int serverId_ = 0;
  static inline std::string display_;
  static inline std::string failure_;
};

}  // namespace tessarin::testing
