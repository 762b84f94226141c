#pragma once
// The curve along which two surfaces meet, as found by IntersectSurfaces, and
// its parametrisation: branches, parameter range, points and sides.

#include <array>
#include <cstdint>

#include "input/geometry_model.h"
#include "input/kernel/surface_pair_frames.h"

namespace tessarin::input::kernel {

// Codes of IntersectSurfaces. Negative codes −1 to −4 are minus the relation
// class of two surfaces that do not meet (PairRelationClass).
enum CurveType : std::int32_t {
  kCoincident = 0,
  kLine = 1,                 // two planes
  kTwoLines = 2,             // plane along a cylinder, parallel cylinders
  kTwoRays = 3,              // plane through a cone's apex, cones with one apex
  kCircle = 4,
  kTwoCircles = 5,
  kCylinderEllipse = 6,      // plane cutting a cylinder obliquely
  kConeEllipse = 7,
  kConeHyperbola = 8,
  kConeParabola = 9,
  kSphereCylinderCurve = 10,
  kCylinderCylinderCurve = 11,
  kSphereConeCurve = 12,     // 12 to 14: no parametric form
  kCylinderConeCurve = 13,
  kConeConeCurve = 14,
};

// What each type keeps (P[i] = points[i], N[i] = directions[i]):
//  1, 2   P[b] + t·N[b] per branch b
//  3      P[0] apex; N[0] the ray for t < 0, N[1] the ray for t ≥ 0
//  4, 5   P[b] centre, N[b] normal, shape[b] radius; frame around the normal
//  6      P[0] centre; frame around the axis; shape: radius, tan γ (γ the
//         acute angle between the plane normal and the axis)
//  7      P[0] on the cone axis; shape: k, u0, b, m
//  8      P[0] on the cone axis; shape: k, u0, q1, q2
//  9      P[0] on the cone axis; shape: k, u0, q1
//  10     P[0] sphere centre; frame (n_c, ·, towards the axis); shape: r_s,
//         r_c, L (axis distance), radicand tolerance
//  11     P[0] foot of the common perpendicular on axis 1; frame (n1, ·,
//         towards axis 2); shape: r1, r2, a (axis distance), n1·n2, n2·e2,
//         radicand tolerance
//  12-14  P[0] the sphere centre, or the cylinder's axis point, or the
//         first cone's apex; nothing to parametrise
struct IntersectionCurve {
  std::int32_t curveType = kCoincident;
  std::array<Vec3, 2> points{};
  std::array<Vec3, 2> directions{};
  std::array<double, 8> shape{};
  Frame frame;
  // Set by CurveParameterRange. tMax > tMin: the range itself. Otherwise the
  // curve is unbounded and the range is [−tMin, tMin] (see ParameterInterval).
  double tMin = 0, tMax = 0;
};

// Types 1 to 11 have points and parameter ranges.
[[nodiscard]] inline bool HasParametricForm(std::int32_t curveType) { return curveType >= kLine && curveType <= kCylinderCylinderCurve; }

// 2 for types 2 and 5, 4 for types 10 and 11, 1 for the others.
int CurveBranchCount(std::int32_t curveType);

struct ParameterInterval {
  double low = 0, high = 0;
};

// Sets tMin and tMax. Unbounded curves (lines, rays, hyperbola, parabola) get
// a half-extent built from D and the maximum-distance ratio R.
void CurveParameterRange(IntersectionCurve& curve, const PrecisionSettings& precision);

// The range CurveParameterRange encoded in tMin and tMax, as an interval.
ParameterInterval CurveParameterInterval(const IntersectionCurve& curve);

// The point of `branch` (0 to CurveBranchCount − 1) at parameter t; the stored
// point P[0] for types without a parametric form.
Vec3 CurvePoint(const IntersectionCurve& curve, int branch, double t);

// The side (−1, +1) of `surface` on which `branch` lies, judged at three
// sample points; 0 when all three lie within D of the surface or the curve has
// no parametric form.
int CurveSide(const IntersectionCurve& curve, int branch, const SurfaceRecord& surface,
              const PrecisionSettings& precision);

}  // namespace tessarin::input::kernel
