#include "platform/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace tessarin::platform {
namespace {

class MachineClock final : public Clock {
 public:
  double WallSeconds() const override {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
  }
  double ProcessorSeconds() const override {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
  }
  void YieldProcessor() override { std::this_thread::yield(); }
};

}  // namespace

Clock& SystemClock() {
  static MachineClock clock;
  return clock;
}

}  // namespace tessarin::platform
