#pragma once
// One function per unordered pair of surface kinds, behind IntersectSurfaces.
// Each fills the curve and returns its type, or kApart when the surfaces do
// not meet (the caller then classifies their relation).

#include "input/geometry_model.h"
#include "input/kernel/surface_pair_curve.h"

namespace tessarin::input::kernel::pair_cases {

inline constexpr std::int32_t kApart = -1;

std::int32_t PlanePlane(const SurfaceRecord& plane1, const SurfaceRecord& plane2, const PrecisionSettings& p, IntersectionCurve& c);
std::int32_t PlaneSphere(const SurfaceRecord& plane, const SurfaceRecord& sphere, const PrecisionSettings& p, IntersectionCurve& c);
std::int32_t PlaneCylinder(const SurfaceRecord& plane, const SurfaceRecord& cylinder, const PrecisionSettings& p, IntersectionCurve& c);
std::int32_t PlaneCone(const SurfaceRecord& plane, const SurfaceRecord& cone, const PrecisionSettings& p, IntersectionCurve& c);
std::int32_t SphereSphere(const SurfaceRecord& sphere1, const SurfaceRecord& sphere2, const PrecisionSettings& p, IntersectionCurve& c);
std::int32_t SphereCylinder(const SurfaceRecord& sphere, const SurfaceRecord& cylinder, const PrecisionSettings& p, IntersectionCurve& c);
std::int32_t SphereCone(const SurfaceRecord& sphere, const SurfaceRecord& cone, const PrecisionSettings& p, IntersectionCurve& c);
std::int32_t CylinderCylinder(const SurfaceRecord& cylinder1, const SurfaceRecord& cylinder2, const PrecisionSettings& p, IntersectionCurve& c);
std::int32_t CylinderCone(const SurfaceRecord& cylinder, const SurfaceRecord& cone, const PrecisionSettings& p, IntersectionCurve& c);
std::int32_t ConeCone(const SurfaceRecord& cone1, const SurfaceRecord& cone2, const PrecisionSettings& p, IntersectionCurve& c);

// Shared by the cases: a circle as branch `branch` of the curve, its frame
// built around `normal`.
void SetCircle(IntersectionCurve& c, int branch, const Vec3& centre, double radius, const Vec3& normal,
               double anglePrecision);

}  // namespace tessarin::input::kernel::pair_cases
