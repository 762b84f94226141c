#pragma once
// A clock for fuzzing on which time passes twice: with the wall clock, and by
// a fixed step each time the watchdog reads it. A user program that waits
// for nothing reaches its time limit after a fixed number of watchdog polls,
// however busy the machine is; one whose lines keep the reader too busy to
// poll reaches it by wall-clock time.

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/clock.h"

namespace tessarin::fuzz {

class PollClock final : public platform::Clock {
 public:
  static constexpr double kSecondsPerPoll = 1e-3;

  double WallSeconds() const override { return Elapsed() + static_cast<double>(++polls_) * kSecondsPerPoll; }
  double ProcessorSeconds() const override { return Elapsed() + static_cast<double>(polls_.load()) * kSecondsPerPoll; }
  void YieldProcessor() override { std::this_thread::yield(); }

 private:
  double Elapsed() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  }

  const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  mutable std::atomic<long> polls_{0};
};

}  // namespace tessarin::fuzz
