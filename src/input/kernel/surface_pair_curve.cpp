#include "input/kernel/surface_pair_curve.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "input/kernel/surface_pair_side.h"

namespace tessarin::input::kernel {

namespace {

// Radicands of the space curves that rounding pushes just below zero at the
// ends of the range are taken as zero.
double RootOrZero(double radicand, double tolerance) { return radicand <= tolerance ? 0 : std::sqrt(radicand); }

bool IsConic(std::int32_t type) { return type == kConeHyperbola || type == kConeParabola; }

Vec3 SphereCylinderPoint(const IntersectionCurve& curve, int branch, double t) {
  const double sphereRadius = curve.shape[0], cylinderRadius = curve.shape[1], axisDistance = curve.shape[2];
  const double tolerance = curve.shape[3];
  double v = RootOrZero(cylinderRadius * cylinderRadius - (t - axisDistance) * (t - axisDistance), tolerance);
  double u = RootOrZero(sphereRadius * sphereRadius - cylinderRadius * cylinderRadius - (2 * t - axisDistance) * axisDistance,
                        tolerance);
  if (branch % 2 == 1) v = -v;
  if (branch >= 2) u = -u;
  return LocalToPoint(curve.frame, curve.points[0], u, v, t);
}

Vec3 CylinderCylinderPoint(const IntersectionCurve& curve, int branch, double t) {
  const double radius1 = curve.shape[0], radius2 = curve.shape[1], axisDistance = curve.shape[2];
  const double cosine = curve.shape[3], secondAxisAlongE2 = curve.shape[4], tolerance = curve.shape[5];
  double v = RootOrZero(radius1 * radius1 - t * t, tolerance);
  double across2 = RootOrZero(radius2 * radius2 - (t - axisDistance) * (t - axisDistance), tolerance);
  if (branch >= 2) v = -v;
  if (branch % 2 == 1) across2 = -across2;
  const double u = (v * cosine - across2) / secondAxisAlongE2;
  return LocalToPoint(curve.frame, curve.points[0], u, v, t);
}

}  // namespace

int CurveBranchCount(std::int32_t curveType) {
  switch (curveType) {
    case kTwoLines:
    case kTwoCircles:
      return 2;
    case kSphereCylinderCurve:
    case kCylinderCylinderCurve:
      return 4;
    default:
      return 1;
  }
}

void CurveParameterRange(IntersectionCurve& curve, const PrecisionSettings& precision) {
  const double largest = precision.maxDistanceRatio * precision.distancePrecision;
  const auto& shape = curve.shape;
  switch (curve.curveType) {
    case kLine:
    case kTwoLines:
    case kTwoRays:
      curve.tMin = largest;
      curve.tMax = 0;
      return;
    case kConeHyperbola:
    case kConeParabola:
      // The parameter enters these conics squared.
      curve.tMin = std::sqrt(largest);
      curve.tMax = 0;
      return;
    case kCircle:
    case kTwoCircles:
    case kCylinderEllipse:
    case kConeEllipse:
      curve.tMin = 0;
      curve.tMax = 2 * std::numbers::pi;
      return;
    case kSphereCylinderCurve: {
      const double sphereRadius = shape[0], cylinderRadius = shape[1], axisDistance = shape[2];
      // Beyond the last bound the sphere coordinate u has no real value: the
      // curve turns back there when the sphere's far side lies inside the
      // cylinder.
      const double turning =
          (sphereRadius * sphereRadius - cylinderRadius * cylinderRadius + axisDistance * axisDistance) / (2 * axisDistance);
      curve.tMin = std::max(-sphereRadius, axisDistance - cylinderRadius);
      curve.tMax = std::min({sphereRadius, axisDistance + cylinderRadius, turning});
      return;
    }
    case kCylinderCylinderCurve: {
      const double radius1 = shape[0], radius2 = shape[1], axisDistance = shape[2];
      curve.tMin = std::max(-radius1, axisDistance - radius2);
      curve.tMax = std::min(radius1, axisDistance + radius2);
      return;
    }
    default:
      curve.tMin = curve.tMax = 0;
  }
}

ParameterInterval CurveParameterInterval(const IntersectionCurve& curve) {
  if (curve.tMax > curve.tMin) return {curve.tMin, curve.tMax};
  return {-curve.tMin, curve.tMin};
}

Vec3 CurvePoint(const IntersectionCurve& curve, int branch, double t) {
  const auto& shape = curve.shape;
  const Frame& frame = curve.frame;
  const Vec3& origin = curve.points[0];
  switch (curve.curveType) {
    case kLine:
    case kTwoLines:
      return curve.points[branch] + t * curve.directions[branch];
    case kTwoRays:
      return t < 0 ? origin + (-t) * curve.directions[0] : origin + t * curve.directions[1];
    case kCircle:
    case kTwoCircles:
      return curve.points[branch] + shape[branch] * (std::cos(t) * frame.e1 + std::sin(t) * frame.e2);
    case kCylinderEllipse: {
      const double radius = shape[0], tanGamma = shape[1];
      return LocalToPoint(frame, origin, radius * std::sin(t), radius * std::cos(t), radius * tanGamma * std::sin(t));
    }
    case kConeEllipse: {
      const double k = shape[0], u0 = shape[1], b = shape[2], m = shape[3];
      const double s = (1 + std::sin(t)) * m / 2;
      return LocalToPoint(frame, origin, k * s + u0, b * std::cos(t), s);
    }
    case kConeHyperbola: {
      const double k = shape[0], u0 = shape[1], q1 = shape[2], q2 = shape[3];
      const double s = t * t;
      return LocalToPoint(frame, origin, k * s + u0, t * std::sqrt(std::fmax(0.0, q1 + q2 * s)), s);
    }
    case kConeParabola: {
      const double k = shape[0], u0 = shape[1], q1 = shape[2];
      const double s = t * t;
      return LocalToPoint(frame, origin, k * s + u0, t * std::sqrt(std::fmax(0.0, q1)), s);
    }
    case kSphereCylinderCurve:
      return SphereCylinderPoint(curve, branch, t);
    case kCylinderCylinderCurve:
      return CylinderCylinderPoint(curve, branch, t);
    default:
      return origin;
  }
}

int CurveSide(const IntersectionCurve& curve, int branch, const SurfaceRecord& surface,
              const PrecisionSettings& precision) {
  if (!HasParametricForm(curve.curveType)) return 0;
  const double d = precision.distancePrecision;
  std::array<double, 3> samples{};
  if (curve.tMax > curve.tMin) {
    const double span = curve.tMax - curve.tMin;
    samples = {curve.tMin + span / 4, curve.tMin + span / 2, curve.tMin + 3 * span / 4};
  } else {
    const double away = IsConic(curve.curveType) ? std::sqrt(100 * d + 1) : 100 * d + 1;
    samples = {0, away, -away};
  }
  for (double t : samples) {
    const double value = SurfaceSideValue(CurvePoint(curve, branch, t), surface);
    if (value > d) return 1;
    if (value < -d) return -1;
  }
  return 0;
}

}  // namespace tessarin::input::kernel
