#pragma once
// Periodic timers with identifiers chosen by the caller. Each tick arrives
// on the user-interface thread, between commands, through the callback the
// implementation was given.

#include <chrono>
#include <cstdint>

namespace tessarin::platform {

class Timers {
 public:
  virtual ~Timers() = default;
  // Starting an identifier that runs already restarts it.
  virtual void Start(std::uint64_t id, std::chrono::milliseconds period) = 0;
  virtual void Stop(std::uint64_t id) = 0;
};

}  // namespace tessarin::platform
