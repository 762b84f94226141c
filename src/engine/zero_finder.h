#pragma once
// The zero finder of SLATEC's DFZERO, driven by reverse communication: the
// caller evaluates f at the point the finder asks for and hands the value
// back, until the finder reports its final status.

namespace tessarin::engine {

class ZeroFinder {
 public:
  // Searches between b and c, starting at r; re and ae are the relative and
  // absolute tolerances. Returns the first point to evaluate.
  double Start(double b, double c, double r, double re, double ae);
  // Takes f at the last point; true when a new point is wanted (in `next`),
  // false when finished (see Status()).
  [[nodiscard]] bool Step(double fx, double& next);
  // 1 converged; 2 f(b) is exactly 0; 3 b is likely near a pole; 4 no odd
  // order zero in the interval; 5 more than 500 evaluations.
  int Status() const { return iflag_; }
  double B() const { return b_; }
  double C() const { return c_; }

 private:
  enum class Wait { kFz, kFb, kFc, kIterate };
  // From the bracketing set-up on: the main loop until a new point or the
  // end.
  [[nodiscard]] bool Iterate(double& next);
  [[nodiscard]] bool Finish(int flag) {
    iflag_ = flag;
    return false;
  }

  Wait wait_ = Wait::kFz;
  double a_ = 0, b_ = 0, c_ = 0, z_ = 0;
  double fa_ = 0, fb_ = 0, fc_ = 0, fz_ = 0, fx_ = 0;
  double rw_ = 0, aw_ = 0, acbs_ = 0;
  int ic_ = 0, kount_ = 0, iflag_ = 0;
};

}  // namespace tessarin::engine
