// Sphere with sphere, cylinder or cone, and cylinder with cylinder.

#include <algorithm>
#include <cmath>

#include "input/kernel/surface_pair_intersect_cases.h"
#include "input/kernel/surface_pair_lines.h"
#include "input/kernel/surface_pair_side.h"

namespace tessarin::input::kernel::pair_cases {

std::int32_t SphereSphere(const SurfaceRecord& sphere1, const SurfaceRecord& sphere2, const PrecisionSettings& p,
                          IntersectionCurve& c) {
  const double d = p.distancePrecision;
  const double gap = Norm(sphere1.point - sphere2.point);
  if (gap <= d || gap <= std::fabs(sphere1.radius - sphere2.radius) + d || gap >= sphere1.radius + sphere2.radius - d)
    return kApart;
  const bool firstLarger = sphere1.radius >= sphere2.radius;
  const SurfaceRecord& larger = firstLarger ? sphere1 : sphere2;
  const SurfaceRecord& smaller = firstLarger ? sphere2 : sphere1;
  const Vec3 normal = (1 / gap) * (larger.point - smaller.point);
  const double rl = larger.radius, rs = smaller.radius;
  const double fromLarger = (rl * rl - rs * rs + gap * gap) / (2 * gap);
  SetCircle(c, 0, larger.point - fromLarger * normal, std::sqrt(rl * rl - fromLarger * fromLarger), normal,
            p.anglePrecision);
  return kCircle;
}

std::int32_t SphereCylinder(const SurfaceRecord& sphere, const SurfaceRecord& cylinder, const PrecisionSettings& p,
                            IntersectionCurve& c) {
  const double d = p.distancePrecision;
  const double rs = sphere.radius, rc = cylinder.radius;
  const Vec3 towardsAxis = -PerpendicularPart(sphere.point - cylinder.point, cylinder.direction);
  const double axisDistance = Norm(towardsAxis);
  if (axisDistance <= rc - rs + d || axisDistance >= rs + rc - d) return kApart;
  if (axisDistance <= d) {
    const Vec3 offset = std::sqrt(rs * rs - rc * rc) * cylinder.direction;
    SetCircle(c, 0, sphere.point + offset, rc, cylinder.direction, p.anglePrecision);
    SetCircle(c, 1, sphere.point - offset, rc, cylinder.direction, p.anglePrecision);
    return kTwoCircles;
  }
  c.points[0] = sphere.point;
  c.directions[0] = cylinder.direction;
  c.frame = FrameFromAxisAndVector((1 / axisDistance) * towardsAxis, cylinder.direction, p.anglePrecision);
  c.shape = {rs, rc, axisDistance, std::min(rs * rs, rc * rc) * d};
  return kSphereCylinderCurve;
}

std::int32_t SphereCone(const SurfaceRecord& sphere, const SurfaceRecord& cone, const PrecisionSettings& p,
                        IntersectionCurve& c) {
  const double d = p.distancePrecision;
  const double r = sphere.radius;
  if (std::fabs(SurfaceSideValue(sphere.point, cone)) >= r - d) return kApart;
  c.points[0] = sphere.point;
  c.directions[0] = cone.direction;
  if (DistanceFromAxis(sphere.point, cone.point, cone.direction) > d) return kSphereConeCurve;
  // Signed, so that a centre behind the apex (the apex inside the sphere)
  // still puts the circle on the nappe.
  const double e = Dot(cone.direction, sphere.point - cone.point);
  const double theta = cone.halfAngle;
  const double beta = std::asin(std::clamp(e * cone.sinHalfAngle / r, -1.0, 1.0));
  const double radius1 = r * std::sin(beta + theta), radius2 = r * std::sin(beta - theta);
  const Vec3 centre1 = cone.point + (e + r * std::cos(beta + theta)) * cone.direction;
  const Vec3 centre2 = cone.point + (e - r * std::cos(beta - theta)) * cone.direction;
  if (radius2 <= d) {
    SetCircle(c, 0, centre1, radius1, cone.direction, p.anglePrecision);
    return kCircle;
  }
  if (radius1 <= d) {
    SetCircle(c, 0, centre2, radius2, cone.direction, p.anglePrecision);
    return kCircle;
  }
  SetCircle(c, 0, centre1, radius1, cone.direction, p.anglePrecision);
  SetCircle(c, 1, centre2, radius2, cone.direction, p.anglePrecision);
  return kTwoCircles;
}

namespace {

// Parallel cylinders meet along two lines through the points where their
// cross-section circles meet.
std::int32_t ParallelCylinders(const SurfaceRecord& cylinder1, const SurfaceRecord& cylinder2, const PrecisionSettings& p,
                               IntersectionCurve& c) {
  const double r1 = cylinder1.radius, r2 = cylinder2.radius;
  const Vec3& axis = cylinder1.direction;
  const Vec3 between = PerpendicularPart(cylinder2.point - cylinder1.point, axis);
  const double gap = Norm(between);
  if (gap <= std::fabs(r1 - r2) + p.distancePrecision || gap >= r1 + r2 - p.distancePrecision) return kApart;
  const Vec3 towards = (1 / gap) * between;
  const double along = (r1 * r1 - r2 * r2 + gap * gap) / (2 * gap);
  const Vec3 base = cylinder1.point + along * towards;
  const Vec3 across = std::sqrt(std::fmax(0.0, r1 * r1 - along * along)) * Cross(axis, towards);
  c.points = {base + across, base - across};
  c.directions = {axis, axis};
  return kTwoLines;
}

}  // namespace

std::int32_t CylinderCylinder(const SurfaceRecord& cylinder1, const SurfaceRecord& cylinder2, const PrecisionSettings& p,
                              IntersectionCurve& c) {
  const Vec3& n1 = cylinder1.direction;
  const Vec3& n2 = cylinder2.direction;
  const Vec3 cross = Cross(n1, n2);
  const double sine = Norm(cross);
  if (sine <= p.anglePrecision) return ParallelCylinders(cylinder1, cylinder2, p, c);
  const double r1 = cylinder1.radius, r2 = cylinder2.radius;
  const double offset = Dot(cylinder2.point - cylinder1.point, cross) / sine;
  const double axisDistance = std::fabs(offset);
  if (axisDistance >= r1 + r2 - p.distancePrecision) return kApart;
  // Towards axis 2 along the common perpendicular; for crossing axes any
  // orientation of n1 × n2 serves.
  const Vec3 towards = (offset >= 0 ? 1 / sine : -1 / sine) * cross;
  c.points[0] = cylinder1.point + ClosestApproachCoordinate(cylinder1.point, n1, cylinder2.point, n2) * n1;
  c.directions = {n1, n2};
  c.frame = FrameFromAxisAndVector(towards, n1, p.anglePrecision);
  c.shape = {r1, r2, axisDistance, Dot(n1, n2), Dot(n2, c.frame.e2), std::min(r1 * r1, r2 * r2) * p.distancePrecision};
  return kCylinderCylinderCurve;
}

}  // namespace tessarin::input::kernel::pair_cases
