// A plane with a plane, a sphere, a cylinder or a cone.

#include <array>
#include <cmath>

#include "input/kernel/surface_pair_intersect_cases.h"

namespace tessarin::input::kernel::pair_cases {

namespace {

// The axis of the largest component of v, preferring z, then y, then x.
int LargestAxis(const Vec3& v) {
  const double x = std::fabs(v.x), y = std::fabs(v.y), z = std::fabs(v.z);
  if (z >= y && z >= x) return 2;
  return y >= x ? 1 : 0;
}

// Signed distance of `x` from `plane` along its normal.
double PlaneValue(const SurfaceRecord& plane, const Vec3& x) { return Dot(plane.direction, x) + plane.planeConstant; }

// The hyperbola in which a plane shallower than the nappe cuts the cone;
// returns the axial distance of its local origin from the apex.
double SetHyperbolaShape(IntersectionCurve& c, double k, double tanTheta, double l, double h, bool parallelToAxis) {
  double along, u0, q1;
  if (parallelToAxis) {
    // The apex's distance h from the plane may have either sign; the branch
    // on the nappe lies |h|/tan θ from the apex.
    along = std::fabs(h) / tanTheta;
    u0 = -h;
    q1 = 2 * std::fabs(h) * tanTheta;
  } else if (l > 0) {
    along = k * l / (tanTheta + k);
    u0 = -tanTheta * along;
    q1 = 2 * tanTheta * along * (k + tanTheta);
  } else {
    along = -k * l / (tanTheta - k);
    u0 = tanTheta * along;
    q1 = 2 * tanTheta * along * (tanTheta - k);
  }
  c.shape = {k, u0, q1, tanTheta * tanTheta - k * k};
  return along;
}

}  // namespace

std::int32_t PlanePlane(const SurfaceRecord& plane1, const SurfaceRecord& plane2, const PrecisionSettings& p,
                        IntersectionCurve& c) {
  const Vec3 cross = Cross(plane1.direction, plane2.direction);
  const double sine = Norm(cross);
  if (sine <= p.anglePrecision) return kApart;
  // The line's point has the coordinate along the largest component of the
  // line direction set to 0; the other two solve both plane equations, whose
  // determinant is exactly that component.
  const int zero = LargestAxis(cross);
  const int i = (zero + 1) % 3, j = (zero + 2) % 3;
  const Vec3& n1 = plane1.direction;
  const Vec3& n2 = plane2.direction;
  const double determinant = Component(cross, zero);
  Vec3 point;
  Component(point, i) =
      (-plane1.planeConstant * Component(n2, j) + plane2.planeConstant * Component(n1, j)) / determinant;
  Component(point, j) =
      (-plane2.planeConstant * Component(n1, i) + plane1.planeConstant * Component(n2, i)) / determinant;
  c.points[0] = point;
  c.directions[0] = (1 / sine) * cross;
  return kLine;
}

std::int32_t PlaneSphere(const SurfaceRecord& plane, const SurfaceRecord& sphere, const PrecisionSettings& p,
                         IntersectionCurve& c) {
  const double h = PlaneValue(plane, sphere.point);
  if (std::fabs(h) >= sphere.radius - p.distancePrecision) return kApart;
  SetCircle(c, 0, sphere.point - h * plane.direction, std::sqrt(sphere.radius * sphere.radius - h * h), plane.direction,
            p.anglePrecision);
  return kCircle;
}

std::int32_t PlaneCylinder(const SurfaceRecord& plane, const SurfaceRecord& cylinder, const PrecisionSettings& p,
                           IntersectionCurve& c) {
  const Vec3& n = plane.direction;
  const Vec3& axis = cylinder.direction;
  const double cosine = Dot(n, axis);
  const double h = PlaneValue(plane, cylinder.point);
  const double r = cylinder.radius;
  if (std::fabs(cosine) <= p.anglePrecision) {
    if (std::fabs(h) >= r - p.distancePrecision) return kApart;
    const Vec3 foot = cylinder.point - h * n;
    const Vec3 across = std::sqrt(r * r - h * h) * Unit(Cross(n, axis));
    c.points = {foot + across, foot - across};
    c.directions = {axis, axis};
    return kTwoLines;
  }
  const Vec3 centre = cylinder.point - (h / cosine) * axis;
  if (Norm(Cross(n, axis)) <= p.anglePrecision) {
    SetCircle(c, 0, centre, r, axis, p.anglePrecision);
    return kCircle;
  }
  c.points[0] = centre;
  c.directions = {axis, n};
  c.frame = FrameFromAxisAndVector(axis, n, p.anglePrecision);
  c.shape[0] = r;
  c.shape[1] = std::sqrt(1 - cosine * cosine) / std::fabs(cosine);
  return kCylinderEllipse;
}

std::int32_t PlaneCone(const SurfaceRecord& plane, const SurfaceRecord& cone, const PrecisionSettings& p,
                       IntersectionCurve& c) {
  const double d = p.distancePrecision, a = p.anglePrecision;
  const Vec3& n = plane.direction;
  const Vec3& axis = cone.direction;
  const double tanTheta = cone.tanHalfAngle;
  const double cosine = Dot(n, axis);
  const double h = PlaneValue(plane, cone.point);
  // Axial distance from the apex to where the axis meets the plane.
  const double l = std::fabs(cosine) <= a ? 0 : -h / cosine;
  if (std::fabs(cosine) >= cone.sinHalfAngle - a && (l <= d || std::fabs(h) <= d)) return kApart;
  if (Norm(Cross(n, axis)) <= a) {
    SetCircle(c, 0, cone.point + l * axis, l * tanTheta, axis, a);
    return kCircle;
  }
  c.frame = FrameFromAxisAndVector(axis, n, a);
  c.directions = {axis, n};
  const double k = std::fabs(cosine) / std::sqrt(1 - cosine * cosine);
  const Frame& f = c.frame;
  if (std::fabs(h) <= d) {
    const double across = std::sqrt(tanTheta * tanTheta - k * k);
    c.points[0] = cone.point;
    c.directions = {Unit(k * f.e1 - across * f.e2 + f.w), Unit(k * f.e1 + across * f.e2 + f.w)};
    return kTwoRays;
  }
  double along = 0;  // axial distance of the curve's local origin from the apex
  std::int32_t type;
  if (k > tanTheta + a) {
    along = k * l / (k + tanTheta);
    const double u0 = -tanTheta * along;
    c.shape = {k, u0, -u0 * std::sqrt((tanTheta + k) / (k - tanTheta)), -2 * u0 / (k - tanTheta)};
    type = kConeEllipse;
  } else if (k >= tanTheta - a) {
    along = l / 2;
    c.shape = {k, -along * tanTheta, 4 * along * tanTheta * tanTheta};
    type = kConeParabola;
  } else {
    along = SetHyperbolaShape(c, k, tanTheta, l, h, std::fabs(cosine) <= a);
    type = kConeHyperbola;
  }
  c.points[0] = cone.point + along * axis;
  return type;
}

}  // namespace tessarin::input::kernel::pair_cases
