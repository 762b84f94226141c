// A cone with a cylinder or another cone.

#include <cmath>

#include "input/kernel/surface_pair_intersect_cases.h"
#include "input/kernel/surface_pair_lines.h"
#include "input/kernel/surface_pair_minimise.h"
#include "input/kernel/surface_pair_side.h"

namespace tessarin::input::kernel::pair_cases {

namespace {

double AngleBetween(const Vec3& n1, const Vec3& n2) { return std::acos(std::fmax(-1.0, std::fmin(1.0, Dot(n1, n2)))); }

bool FoundInside(const SurfaceRecord& carrier, const SurfaceRecord& target, const PrecisionSettings& p) {
  return MinimumSideValueOn(carrier, target, p).value < -p.distancePrecision;
}

// Cones with a common apex meet along the generators that make the angle
// θ1 with n1 and θ2 with n2.
std::int32_t CommonGenerators(const SurfaceRecord& cone1, const SurfaceRecord& cone2, IntersectionCurve& c) {
  const Vec3& n1 = cone1.direction;
  const Vec3& n2 = cone2.direction;
  const double c1 = cone1.cosHalfAngle, c2 = cone2.cosHalfAngle;
  const Vec3 normal = Cross(n1, n2);
  // For nearly equal axes 1 − g and 1 − g² are lost to rounding when taken
  // from g; they are taken from the difference and cross product instead.
  const double sineSquared = Dot(normal, normal);
  const double oneMinusG = Dot(n1 - n2, n1 - n2) / 2;
  const double alpha = (c1 - c2 + oneMinusG * c2) / sineSquared, beta = (c2 - c1 + oneMinusG * c1) / sineSquared;
  const Vec3 inPlane = alpha * n1 + beta * n2;
  const double across = std::sqrt(std::fmax(0.0, 1 - Dot(inPlane, inPlane)) / sineSquared);
  c.points[0] = cone1.point;
  c.directions = {Unit(inPlane - across * normal), Unit(inPlane + across * normal)};
  return kTwoRays;
}

// Cones on one axis meet, if at all, in a circle where the front cone (the
// one whose apex lies further along the first axis) is wider than the rear
// one, or where they face each other.
std::int32_t CoaxialCones(const SurfaceRecord& cone1, const SurfaceRecord& cone2, const PrecisionSettings& p,
                          IntersectionCurve& c) {
  const double q = Dot(cone1.direction, cone2.point - cone1.point);
  const double g = Dot(cone1.direction, cone2.direction);
  if (q <= p.distancePrecision && g < 0) return kApart;
  const bool secondInFront = q > p.distancePrecision;
  const SurfaceRecord& front = secondInFront ? cone2 : cone1;
  const SurfaceRecord& rear = secondInFront ? cone1 : cone2;
  if (g > 0 && front.sinHalfAngle <= rear.sinHalfAngle + p.anglePrecision) return kApart;
  const double tau = g < 0 ? -front.tanHalfAngle : front.tanHalfAngle;
  const double along = tau * std::fabs(q) / (tau - rear.tanHalfAngle);
  SetCircle(c, 0, rear.point + along * rear.direction, along * rear.tanHalfAngle, rear.direction, p.anglePrecision);
  return kCircle;
}

}  // namespace

std::int32_t CylinderCone(const SurfaceRecord& cylinder, const SurfaceRecord& cone, const PrecisionSettings& p,
                          IntersectionCurve& c) {
  const double d = p.distancePrecision, a = p.anglePrecision;
  const double rc = cylinder.radius;
  const double apexDistance = DistanceFromAxis(cone.point, cylinder.point, cylinder.direction);
  const double sine = Norm(Cross(cylinder.direction, cone.direction));
  c.points[0] = cylinder.point;
  c.directions = {cylinder.direction, cone.direction};
  if (apexDistance <= d && sine <= a) {
    SetCircle(c, 0, cone.point + (rc / cone.tanHalfAngle) * cone.direction, rc, cone.direction, a);
    return kCircle;
  }
  if (apexDistance < rc - d || sine < cone.sinHalfAngle - a) return kCylinderConeCurve;
  // Here the axes are not parallel (sine ≥ sin θ − A > 0 for any usable cone).
  const double nearest = ClosestApproachCoordinate(cone.point, cone.direction, cylinder.point, cylinder.direction);
  const double axisDistance = DistanceBetweenAxes(cone.point, cone.direction, cylinder.point, cylinder.direction);
  if (sine > 0 && rc / sine + nearest <= d) return kApart;
  if (nearest > d && nearest * cone.tanHalfAngle + rc > axisDistance + d) return kCylinderConeCurve;
  return FoundInside(cylinder, cone, p) ? kCylinderConeCurve : kApart;
}

std::int32_t ConeCone(const SurfaceRecord& cone1, const SurfaceRecord& cone2, const PrecisionSettings& p,
                      IntersectionCurve& c) {
  const double d = p.distancePrecision, a = p.anglePrecision;
  const double theta1 = cone1.halfAngle, theta2 = cone2.halfAngle;
  const double phi = AngleBetween(cone1.direction, cone2.direction);
  if (Norm(cone1.point - cone2.point) <= d) {
    if (phi <= std::fabs(theta1 - theta2) + a || phi >= theta1 + theta2 - a) return kApart;
    return CommonGenerators(cone1, cone2, c);
  }
  if (DistanceFromAxis(cone2.point, cone1.point, cone1.direction) <= d &&
      Norm(Cross(cone1.direction, cone2.direction)) <= a)
    return CoaxialCones(cone1, cone2, p, c);
  c.points[0] = cone1.point;
  c.directions = {cone1.direction, cone2.direction};
  const bool secondApexInside = SurfaceSideValue(cone2.point, cone1) < -d;
  if (secondApexInside || SurfaceSideValue(cone1.point, cone2) < -d) {
    // The inner cone stays inside the outer one when all its directions do.
    const double narrower = secondApexInside ? theta1 - theta2 : theta2 - theta1;
    return narrower > a && narrower > phi ? kApart : kConeConeCurve;
  }
  if (theta1 + theta2 > phi) return kConeConeCurve;
  return FoundInside(cone1, cone2, p) ? kConeConeCurve : kApart;
}

}  // namespace tessarin::input::kernel::pair_cases
