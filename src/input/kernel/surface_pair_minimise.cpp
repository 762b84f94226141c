#include "input/kernel/surface_pair_minimise.h"

#include <cmath>

#include "input/kernel/surface_pair_frames.h"
#include "input/kernel/surface_pair_lines.h"
#include "input/kernel/surface_pair_side.h"

namespace tessarin::input::kernel {

Vec3 CarrierPoint(const SurfaceRecord& carrier, const Point2& at, const PrecisionSettings& precision) {
  const Frame frame = FrameFromDirection(carrier.direction, precision.anglePrecision);
  const bool onCone = carrier.kind == SurfaceKind::Cone;
  // A cone has no points behind its apex (the axis there may lie inside the
  // target and fake an intersection); negative a mirrors onto the nappe,
  // which keeps the value continuous and the search moving.
  const double a = onCone ? std::fabs(at.a) : at.a;
  const Vec3 onAxis = carrier.point + a * carrier.direction;
  if (onCone && a < precision.distancePrecision) return onAxis;
  const double radius = onCone ? a * carrier.tanHalfAngle : carrier.radius;
  return onAxis + radius * (std::cos(at.b) * frame.e1 + std::sin(at.b) * frame.e2);
}

NelderMeadResult MinimumSideValueOn(const SurfaceRecord& carrier, const SurfaceRecord& target,
                                    const PrecisionSettings& precision) {
  const double d = precision.distancePrecision;
  const bool onCone = carrier.kind == SurfaceKind::Cone;
  auto value = [&](const Point2& x) { return SurfaceSideValue(CarrierPoint(carrier, x, precision), target); };

  const Vec3& p1 = carrier.point;
  const Vec3& n1 = carrier.direction;
  const double start = ClosestApproachCoordinate(p1, n1, target.point, target.direction);
  double stepA = DistanceBetweenAxes(p1, n1, target.point, target.direction);
  // Crossing axes would give a simplex without extent along the axis, which
  // could never move there; take the carrier's own scale instead.
  if (stepA <= d) stepA = onCone ? std::fmax(Norm(target.point - p1), 1.0) : carrier.radius;

  NelderMeadOptions options;
  options.stopBelow = -d;
  options.spanA = d;
  options.spanB = precision.anglePrecision;
  return MinimiseNelderMead2D(value, {start, 0}, {stepA, 0.5}, options);
}

}  // namespace tessarin::input::kernel
