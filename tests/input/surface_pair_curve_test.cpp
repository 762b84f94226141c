#include <gtest/gtest.h>

#include <cmath>

#include "input/kernel/surface_pair_intersect.h"
#include "input/surface_pair_test_shapes.h"

namespace tessarin::input::kernel {
namespace {

using namespace pair_testing;
constexpr double kPi = std::numbers::pi;

IntersectionCurve Curve(const SurfaceRecord& s1, const SurfaceRecord& s2, const PrecisionSettings& p = Precision()) {
  IntersectionCurve curve;
  IntersectSurfaces(s1, s2, p, curve);
  return curve;
}

TEST(CurveParameterRange, UnboundedCurvesReachTheLargestDistance) {
  PrecisionSettings p = Precision(1e-10);
  p.maxDistanceRatio = 1e16;
  const IntersectionCurve line = Curve(Plane({0, 0, 0}, {0, 0, 1}), Plane({0, 0, 0}, {0, 1, 0}), p);
  EXPECT_DOUBLE_EQ(line.tMin, 1e6);
  EXPECT_EQ(line.tMax, 0);
  EXPECT_DOUBLE_EQ(CurveParameterInterval(line).low, -1e6);
  const IntersectionCurve hyperbola = Curve(Plane({0.5, 0, 0}, {1, 0, 0}), Cone({0, 0, 0}, {0, 0, 1}, 0.4), p);
  ASSERT_EQ(hyperbola.curveType, kConeHyperbola);
  EXPECT_DOUBLE_EQ(hyperbola.tMin, 1e3);
  // Far out along the range the point is still on the plane, at distance
  // about t² along the axis.
  const Vec3 far = CurvePoint(hyperbola, 0, 1e3);
  EXPECT_NEAR(far.x, 0.5, 1e-6);
  EXPECT_NEAR(far.z, 1e6, 1e3);
  const IntersectionCurve circle = Curve(Plane({0, 0, 0}, {0, 0, 1}), Sphere({0, 0, 0}, 1), p);
  EXPECT_EQ(circle.tMin, 0);
  EXPECT_DOUBLE_EQ(circle.tMax, 2 * kPi);
}

TEST(CurveParameterRange, SpaceCurvesCloseAtTheEndsOfTheirRange) {
  const SurfaceRecord cylinder = Cylinder({0, 0, 0}, {0, 0, 1}, 2);
  for (const SurfaceRecord& sphere : {Sphere({2.5, 0, 1}, 1), Sphere({1, 0, 0}, 2.5), Sphere({2, 0, 0}, 0.5)}) {
    const IntersectionCurve curve = Curve(sphere, cylinder);
    ASSERT_EQ(curve.curveType, kSphereCylinderCurve);
    for (double t : {curve.tMin, curve.tMax}) {
      // All branches pass through the same point at an end where u and v
      // both vanish, or pairwise where one of them does.
      const Vec3 b0 = CurvePoint(curve, 0, t), b3 = CurvePoint(curve, 3, t);
      const Vec3 b1 = CurvePoint(curve, 1, t), b2 = CurvePoint(curve, 2, t);
      EXPECT_TRUE(Norm(b0 - b1) < 1e-5 || Norm(b0 - b2) < 1e-5) << t;
      EXPECT_TRUE(Norm(b3 - b1) < 1e-5 || Norm(b3 - b2) < 1e-5) << t;
    }
    EXPECT_LT(WorstCurveDistance(curve, sphere, cylinder), 1e-9);
  }
  const IntersectionCurve crossing = Curve(cylinder, Cylinder({0, 0, 0}, {1, 0, 0}, 1));
  ASSERT_EQ(crossing.curveType, kCylinderCylinderCurve);
  EXPECT_DOUBLE_EQ(crossing.tMin, -1);
  EXPECT_DOUBLE_EQ(crossing.tMax, 1);
}

TEST(CurveSide, OfACircleRelativeToOtherSurfaces) {
  const PrecisionSettings p = Precision();
  const IntersectionCurve circle = Curve(Plane({0, 0, 0}, {0, 0, 1}), Sphere({0, 0, 0}, 2));
  EXPECT_EQ(CurveSide(circle, 0, Plane({0, 0, 1}, {0, 0, 1}), p), -1);
  EXPECT_EQ(CurveSide(circle, 0, Sphere({0, 0, 0}, 3), p), -1);
  EXPECT_EQ(CurveSide(circle, 0, Sphere({0, 0, 0}, 1), p), 1);
  EXPECT_EQ(CurveSide(circle, 0, Plane({0, 0, 0}, {0, 0, 1}), p), 0);
  EXPECT_EQ(CurveSide(circle, 0, Cylinder({0, 0, 0}, {0, 0, 1}, 2), p), 0);
}

TEST(CurveSide, OfEveryBranchOfASpaceCurve) {
  const PrecisionSettings p = Precision();
  const IntersectionCurve curve = Curve(Sphere({2.5, 0, 1}, 1), Cylinder({0, 0, 0}, {0, 0, 1}, 2));
  ASSERT_EQ(curve.curveType, kSphereCylinderCurve);
  for (int branch = 0; branch < 4; ++branch) {
    EXPECT_EQ(CurveSide(curve, branch, Plane({1, 0, 0}, {1, 0, 0}), p), 1) << branch;
    EXPECT_EQ(CurveSide(curve, branch, Sphere({0, 0, 0}, 10), p), -1) << branch;
  }
  // Branches lie above and below the sphere's equator in pairs.
  const SurfaceRecord equator = Plane({0, 0, 1}, {0, 0, 1});
  int above = 0;
  for (int branch = 0; branch < 4; ++branch) above += CurveSide(curve, branch, equator, p) > 0;
  EXPECT_EQ(above, 2);
}

TEST(CurveSide, OfUnboundedCurvesAndOfEachBranch) {
  const PrecisionSettings p = Precision();
  const IntersectionCurve line = Curve(Plane({0, 0, 0}, {0, 0, 1}), Plane({0, 0, 0}, {0, 1, 0}));
  EXPECT_EQ(CurveSide(line, 0, Sphere({0, 0, 0}, 5), p), -1);
  // The first sample lies on the plane x = 0; the next one decides.
  EXPECT_EQ(CurveSide(line, 0, Plane({0, 0, 0}, {1, 0, 0}), p), line.directions[0].x > 0 ? 1 : -1);
  const IntersectionCurve lines = Curve(Plane({0, 0, 0}, {1, 0, 0}), Cylinder({0, 0, 0}, {0, 0, 1}, 1));
  ASSERT_EQ(lines.curveType, kTwoLines);
  const SurfaceRecord halfY = Plane({0, 0, 0}, {0, 1, 0});
  EXPECT_EQ(CurveSide(lines, 0, halfY, p) * CurveSide(lines, 1, halfY, p), -1);
  const IntersectionCurve parabola = Curve(Plane({0, 0, 1}, Unit(Vec3{std::cos(0.5), 0, std::sin(0.5)})),
                                           Cone({0, 0, 0}, {0, 0, 1}, 0.5));
  ASSERT_EQ(parabola.curveType, kConeParabola);
  EXPECT_EQ(CurveSide(parabola, 0, Cone({0, 0, 0}, {0, 0, 1}, 0.8), p), -1);
  IntersectionCurve general = Curve(Sphere({1, 0, 3}, 1.5), Cone({0, 0, 0}, {0, 0, 1}, 0.5));
  EXPECT_EQ(CurveSide(general, 0, Plane({0, 0, -100}, {0, 0, 1}), p), 0);
}

}  // namespace
}  // namespace tessarin::input::kernel
