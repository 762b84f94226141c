#pragma once
// Periodic timers with identifiers chosen by the caller. Each tick arrives
// on the user-interface thread, between commands, through the callback the
// implementation was given.

#include <chrono>
#include <cstdint>
#include <map>

namespace tessarin::platform {

class Timers {
 public:
  virtual ~Timers() = default;
  // Starting an identifier that runs already restarts it.
  virtual void Start(std::uint64_t id, std::chrono::milliseconds period) = 0;
  virtual void Stop(std::uint64_t id) = 0;
};

// Timers for tests and for programs without an event loop: they only
// record which identifiers run; the owner ticks them itself.
class RecordingTimers final : public Timers {
 public:
  void Start(std::uint64_t id, std::chrono::milliseconds period) override { running[id] = period; }
  void Stop(std::uint64_t id) override { running.erase(id); }
  std::map<std::uint64_t, std::chrono::milliseconds> running;
};

}  // namespace tessarin::platform
