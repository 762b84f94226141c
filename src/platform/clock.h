#pragma once
// Wall-clock and processor time, and giving up the processor while waiting.

namespace tessarin::platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual double WallSeconds() const = 0;       // monotonic, arbitrary origin
  virtual double ProcessorSeconds() const = 0;  // CPU time of this process
  virtual void YieldProcessor() = 0;
};

// The machine's clocks.
Clock& SystemClock();

}  // namespace tessarin::platform
