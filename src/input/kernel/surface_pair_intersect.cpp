#include "input/kernel/surface_pair_intersect.h"

#include "input/kernel/surface_pair_intersect_cases.h"
#include "input/kernel/surface_pair_relation.h"

namespace tessarin::input::kernel {

namespace pair_cases {

void SetCircle(IntersectionCurve& c, int branch, const Vec3& centre, double radius, const Vec3& normal,
               double anglePrecision) {
  c.points[branch] = centre;
  c.directions[branch] = normal;
  c.shape[branch] = radius;
  c.frame = FrameFromDirection(normal, anglePrecision);
}

}  // namespace pair_cases

namespace {

using namespace pair_cases;

// `low` has the kind that comes first in plane, sphere, cylinder, cone.
std::int32_t IntersectOrdered(const SurfaceRecord& low, const SurfaceRecord& high, const PrecisionSettings& p,
                              IntersectionCurve& c) {
  switch (low.kind) {
    case SurfaceKind::Plane:
      switch (high.kind) {
        case SurfaceKind::Plane: return PlanePlane(low, high, p, c);
        case SurfaceKind::Sphere: return PlaneSphere(low, high, p, c);
        case SurfaceKind::Cylinder: return PlaneCylinder(low, high, p, c);
        case SurfaceKind::Cone: return PlaneCone(low, high, p, c);
      }
      break;
    case SurfaceKind::Sphere:
      switch (high.kind) {
        case SurfaceKind::Sphere: return SphereSphere(low, high, p, c);
        case SurfaceKind::Cylinder: return SphereCylinder(low, high, p, c);
        case SurfaceKind::Cone: return SphereCone(low, high, p, c);
        default: break;
      }
      break;
    case SurfaceKind::Cylinder:
      if (high.kind == SurfaceKind::Cylinder) return CylinderCylinder(low, high, p, c);
      return CylinderCone(low, high, p, c);
    case SurfaceKind::Cone:
      return ConeCone(low, high, p, c);
  }
  return kApart;
}

}  // namespace

std::int32_t IntersectSurfaces(const SurfaceRecord& s1, const SurfaceRecord& s2, const PrecisionSettings& precision,
                               IntersectionCurve& curve) {
  curve = IntersectionCurve{};
  const bool inOrder = static_cast<int>(s1.kind) <= static_cast<int>(s2.kind);
  std::int32_t code = inOrder ? IntersectOrdered(s1, s2, precision, curve) : IntersectOrdered(s2, s1, precision, curve);
  if (code == kApart) code = -PairRelationClass(s1, s2, precision);
  curve.curveType = code;
  CurveParameterRange(curve, precision);
  return code;
}

std::int32_t IntersectSurfaces(const SurfaceRecord& s1, const SurfaceRecord& s2, const PrecisionSettings& precision) {
  IntersectionCurve curve;
  return IntersectSurfaces(s1, s2, precision, curve);
}

}  // namespace tessarin::input::kernel
