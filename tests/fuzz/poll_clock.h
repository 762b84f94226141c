#pragma once
// A clock for fuzzing whose time advances by a fixed step each time the
// watchdog reads it. A user program's time limit then means a number of
// watchdog polls, so how far a program gets depends little on how busy the
// machine is, and no input can keep the harness for long.

#include <atomic>
#include <thread>

#include "platform/clock.h"

namespace tessarin::fuzz {

class PollClock final : public platform::Clock {
 public:
  static constexpr double kSecondsPerPoll = 1e-3;

  double WallSeconds() const override { return static_cast<double>(++polls_) * kSecondsPerPoll; }
  double ProcessorSeconds() const override { return static_cast<double>(polls_.load()) * kSecondsPerPoll; }
  void YieldProcessor() override { std::this_thread::yield(); }

 private:
  mutable std::atomic<long> polls_{0};
};

}  // namespace tessarin::fuzz
