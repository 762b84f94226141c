#include "input/kernel/surface_pair_relation.h"

#include <array>
#include <cmath>

#include "input/kernel/surface_pair_frames.h"
#include "input/kernel/surface_pair_lines.h"
#include "input/kernel/surface_pair_side.h"

namespace tessarin::input::kernel {

namespace {

bool Parallel(const Vec3& n1, const Vec3& n2, double anglePrecision) { return Norm(Cross(n1, n2)) <= anglePrecision; }

bool Coincide(const SurfaceRecord& s1, const SurfaceRecord& s2, const PrecisionSettings& p) {
  if (s1.kind != s2.kind) return false;
  const double d = p.distancePrecision, a = p.anglePrecision;
  switch (s1.kind) {
    case SurfaceKind::Plane:
      return Parallel(s1.direction, s2.direction, a) && std::fabs(Dot(s1.direction, s2.point - s1.point)) <= d;
    case SurfaceKind::Sphere:
      return Norm(s1.point - s2.point) <= d && std::fabs(s1.radius - s2.radius) <= d;
    case SurfaceKind::Cylinder:
      return Parallel(s1.direction, s2.direction, a) && DistanceFromAxis(s2.point, s1.point, s1.direction) <= d &&
             std::fabs(s1.radius - s2.radius) <= d;
    case SurfaceKind::Cone:
      return Norm(s1.point - s2.point) <= d && Parallel(s1.direction, s2.direction, a) &&
             std::fabs(s1.sinHalfAngle - s2.sinHalfAngle) <= a && Dot(s1.direction, s2.direction) > 0;
  }
  return false;
}

// The points of a surface tried in turn as its sample point.
std::array<Vec3, 3> RelationSampleCandidates(const SurfaceRecord& surface, const PrecisionSettings& precision) {
  const double away = 100 * precision.distancePrecision + 1;
  const Vec3& p = surface.point;
  const Frame frame = FrameFromDirection(surface.direction, precision.anglePrecision);
  switch (surface.kind) {
    case SurfaceKind::Plane:
      return {p, p + away * frame.e1, p + away * frame.e2};
    case SurfaceKind::Sphere:
      return {p + Vec3{surface.radius, 0, 0}, p + Vec3{0, surface.radius, 0}, p + Vec3{0, 0, surface.radius}};
    case SurfaceKind::Cylinder: {
      const Vec3 second = p + surface.radius * frame.e2;
      return {p + surface.radius * frame.e1, second, second + away * surface.direction};
    }
    case SurfaceKind::Cone: {
      const Vec3 centre = p + away * surface.direction;
      const double radius = away * surface.tanHalfAngle;
      return {p, centre + radius * frame.e1, centre + radius * frame.e2};
    }
  }
  return {p, p, p};
}

// The side value of the first candidate of `sampled` that lies clearly off
// `other`; the last candidate's value when none does.
double SampleSideValue(const SurfaceRecord& sampled, const SurfaceRecord& other, const PrecisionSettings& p) {
  double value = 0;
  for (const Vec3& x : RelationSampleCandidates(sampled, p)) {
    value = SurfaceSideValue(x, other);
    if (std::fabs(value) > p.distancePrecision) break;
  }
  return value;
}

}  // namespace

int PairRelationClass(const SurfaceRecord& s1, const SurfaceRecord& s2, const PrecisionSettings& precision) {
  if (Coincide(s1, s2, precision)) return kRelationCoincident;
  const double v1 = SampleSideValue(s1, s2, precision);
  const double v2 = SampleSideValue(s2, s1, precision);
  if (v1 > 0 && v2 > 0) return kNegativeSidesApart;
  if (v1 < 0 && v2 > 0) return kFirstInsideSecond;
  if (v1 > 0 && v2 < 0) return kSecondInsideFirst;
  return kPositiveSidesApart;
}

}  // namespace tessarin::input::kernel
