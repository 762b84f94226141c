#include <gtest/gtest.h>

#include <cmath>

#include "input/kernel/surface_pair_intersect.h"
#include "input/surface_pair_test_shapes.h"

namespace tessarin::input::kernel {
namespace {

using namespace pair_testing;
constexpr double kPi = std::numbers::pi;

std::int32_t Intersect(const SurfaceRecord& s1, const SurfaceRecord& s2, IntersectionCurve& curve) {
  return IntersectSurfaces(s1, s2, Precision(), curve);
}

TEST(IntersectCones, ASharedApexMeetsAlongTheCommonGenerators) {
  RandomShapes random(21);
  for (int i = 0; i < 60; ++i) {
    const double t1 = random.Uniform(0.1, 1.2), t2 = random.Uniform(0.1, 1.2);
    const double phi = random.Uniform(std::fabs(t1 - t2) + 0.02, std::fmin(t1 + t2, kPi) - 0.02);
    const SurfaceRecord c1 = Cone(random.Point(), random.Direction(), t1);
    const SurfaceRecord c2 = Cone(c1.point, random.AtAngle(c1.direction, phi), t2);
    IntersectionCurve curve;
    ASSERT_EQ(Intersect(c1, c2, curve), kTwoRays);
    EXPECT_LT(WorstCurveDistance(curve, c1, c2), 1e-9);
    // Both rays leave the apex into both nappes, not behind it.
    EXPECT_GT(Dot(CurvePoint(curve, 0, -1) - c1.point, c1.direction), 0);
    EXPECT_GT(Dot(CurvePoint(curve, 0, 1) - c1.point, c2.direction), 0);
  }
}

TEST(IntersectCones, NearlyEqualAxesStillGiveTheCommonGenerators) {
  const double tilt = 1e-6;
  const SurfaceRecord c1 = Cone({1, 2, 3}, {0, 0, 1}, 0.5);
  const SurfaceRecord c2 = Cone({1, 2, 3}, {std::sin(tilt), 0, std::cos(tilt)}, 0.5);
  IntersectionCurve curve;
  ASSERT_EQ(Intersect(c1, c2, curve), kTwoRays);
  EXPECT_LT(WorstCurveDistance(curve, c1, c2), 1e-9);
}

TEST(IntersectCones, ASharedApexWithNestedOrSeparateOpeningsDoesNotMeet) {
  IntersectionCurve curve;
  const SurfaceRecord wide = Cone({1, 1, 1}, {0, 0, 1}, 0.8);
  EXPECT_EQ(Intersect(Cone({1, 1, 1}, {0, 0.1, 1}, 0.3), wide, curve), -2);
  EXPECT_EQ(Intersect(wide, Cone({1, 1, 1}, {0, 0.1, 1}, 0.3), curve), -3);
  EXPECT_EQ(Intersect(wide, Cone({1, 1, 1}, {0, 0, -1}, 0.5), curve), -1);
  EXPECT_EQ(Intersect(wide, Cone({1, 1, 1}, {0, 0, 1}, 0.8), curve), kCoincident);
}

TEST(IntersectCones, CoaxialConesMeetInACircleWhereTheFrontOneIsWider) {
  IntersectionCurve curve;
  const SurfaceRecord rear = Cone({0, 0, 0}, {0, 0, 1}, 0.3);
  const SurfaceRecord front = Cone({0, 0, 2}, {0, 0, 1}, 0.6);
  for (bool swap : {false, true}) {
    ASSERT_EQ(swap ? Intersect(front, rear, curve) : Intersect(rear, front, curve), kCircle);
    EXPECT_LT(WorstCurveDistance(curve, rear, front), 1e-9);
  }
  // Facing each other.
  const SurfaceRecord facing = Cone({0, 0, 5}, {0, 0, -1}, 0.2);
  ASSERT_EQ(Intersect(rear, facing, curve), kCircle);
  EXPECT_LT(WorstCurveDistance(curve, rear, facing), 1e-9);
  ASSERT_EQ(Intersect(facing, rear, curve), kCircle);
  EXPECT_LT(WorstCurveDistance(curve, rear, facing), 1e-9);
  // A narrower front cone stays inside the rear one; back to back they part.
  EXPECT_EQ(Intersect(rear, Cone({0, 0, 2}, {0, 0, 1}, 0.2), curve), -3);
  EXPECT_EQ(Intersect(Cone({0, 0, 2}, {0, 0, 1}, 0.2), rear, curve), -2);
  EXPECT_EQ(Intersect(rear, Cone({0, 0, -1}, {0, 0, -1}, 0.2), curve), -1);
  EXPECT_FALSE(SamplesCross(rear, Cone({0, 0, 2}, {0, 0, 1}, 0.2), 30));
}

TEST(IntersectCones, AnApexInsideTheOtherCone) {
  IntersectionCurve curve;
  const SurfaceRecord outer = Cone({0, 0, 0}, {0, 0, 1}, 0.7);
  // Narrow enough, and tilted less than the difference of the angles: inside.
  const SurfaceRecord inner = Cone({0.2, 0, 3}, Unit(Vec3{0.1, 0, 1}), 0.3);
  EXPECT_EQ(Intersect(outer, inner, curve), -3);
  EXPECT_FALSE(SamplesCross(outer, inner, 30));
  // Tilted further: its nappe leaves the outer cone.
  const SurfaceRecord leaving = Cone({0.2, 0, 3}, Unit(Vec3{1, 0, 1}), 0.3);
  EXPECT_EQ(Intersect(outer, leaving, curve), kConeConeCurve);
  EXPECT_TRUE(SamplesCross(outer, leaving, 30));
}

TEST(IntersectCones, OverlappingOpeningsMeet) {
  const SurfaceRecord c1 = Cone({0, 0, 0}, {0, 0, 1}, 0.4);
  const SurfaceRecord c2 = Cone({3, 0, 0}, Unit(Vec3{-0.2, 0, 1}), 0.4);
  IntersectionCurve curve;
  EXPECT_EQ(Intersect(c1, c2, curve), kConeConeCurve);
  EXPECT_TRUE(SamplesCross(c1, c2, 30));
}

TEST(IntersectCones, SeparateOpeningsAreDecidedBySearchAndAgreeWithSampling) {
  RandomShapes random(22);
  MeetingTally tally(kConeConeCurve, 40);
  for (int i = 0; i < 80; ++i) {
    const double t1 = random.Uniform(0.1, 0.5), t2 = random.Uniform(0.1, 0.5);
    const SurfaceRecord c1 = Cone(random.Point(), random.Direction(), t1);
    const SurfaceRecord c2 = Cone(random.Point(), random.AtAngle(c1.direction, random.Uniform(t1 + t2 + 0.05, kPi)), t2);
    tally.Check(c1, c2, i);
  }
  tally.ExpectBothOutcomes();
}

TEST(IntersectCones, TheSearchFindsCrossingsWhoseClosestApproachLiesBehindAnApex) {
  const std::pair<SurfaceRecord, SurfaceRecord> pairs[] = {
      {Cone({-0.533763, -0.415076, 2.664220}, {-0.985086, -0.166328, 0.044051}, 1.288989),
       Cone({-0.223802, -1.625320, -1.247698}, {0.795466, -0.135537, 0.590646}, 1.062098)},
      {Cone({-1.449571, -2.093658, 2.940285}, {-0.323346, -0.094946, -0.941505}, 0.916700),
       Cone({-1.042556, 2.228407, 2.205092}, {-0.753562, -0.645967, 0.121946}, 0.302381)},
      {Cone({0.168083, -0.620287, -1.664896}, {0.731129, -0.471850, 0.492755}, 0.421211),
       Cone({2.401565, -0.543648, 0.888336}, {0.175393, 0.484929, -0.856786}, 0.969397)},
  };
  for (const auto& [c1, c2] : pairs) {
    ASSERT_TRUE(SamplesCross(c1, c2, 30));
    IntersectionCurve curve;
    EXPECT_EQ(Intersect(c1, c2, curve), kConeConeCurve);
  }
}

}  // namespace
}  // namespace tessarin::input::kernel
