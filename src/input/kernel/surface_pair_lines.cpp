#include "input/kernel/surface_pair_lines.h"

namespace tessarin::input::kernel {

namespace {
// Below this squared sine the two directions are treated as parallel; the
// closest-approach formula would divide by nearly zero.
constexpr double kParallelSineSquared = 1e-24;
}  // namespace

double ClosestApproachCoordinate(const Vec3& p1, const Vec3& n1, const Vec3& p2, const Vec3& n2) {
  const Vec3 offset = p2 - p1;
  const double g = Dot(n1, n2);
  const double along1 = Dot(n1, offset);
  const double sineSquared = 1 - g * g;
  if (sineSquared <= kParallelSineSquared) return along1;
  const double along2 = Dot(n2, offset);
  return (along1 - g * along2) / sineSquared;
}

double DistanceBetweenAxes(const Vec3& p1, const Vec3& n1, const Vec3& p2, const Vec3& n2) {
  const double a = ClosestApproachCoordinate(p1, n1, p2, n2);
  return DistanceFromAxis(p1 + a * n1, p2, n2);
}

}  // namespace tessarin::input::kernel
