#include "input/kernel/surface_pair_frames.h"

#include <cmath>

namespace tessarin::input::kernel {

namespace {
Frame CompleteFrame(const Vec3& w, const Vec3& e1) { return {e1, Cross(w, e1), w}; }
}  // namespace

Frame FrameFromDirection(const Vec3& w, double anglePrecision) {
  if (std::fabs(w.y) > anglePrecision || std::fabs(w.z) > anglePrecision) {
    if (std::fabs(w.x) > anglePrecision) return CompleteFrame(w, Unit(Vec3{w.x - 1 / w.x, w.y, w.z}));
    return CompleteFrame(w, {1, 0, 0});
  }
  return CompleteFrame(w, w.x > 0 ? Vec3{0, 1, 0} : Vec3{0, -1, 0});
}

Frame FrameFromAxisAndVector(const Vec3& w, const Vec3& q, double anglePrecision) {
  const double c = Dot(w, q);
  if (std::fabs(c) <= anglePrecision) return CompleteFrame(w, q);
  const double sine = std::sqrt(std::fmax(0.0, 1 - c * c));
  // q along w leaves no perpendicular part to build e1 from.
  if (sine <= anglePrecision) return FrameFromDirection(w, anglePrecision);
  const Vec3 leaning = c < 0 ? q : -q;
  return CompleteFrame(w, (1 / sine) * (std::fabs(c) * w + leaning));
}

}  // namespace tessarin::input::kernel
