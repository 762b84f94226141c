#include <gtest/gtest.h>

#include <cmath>

#include "input/kernel/surface_pair_frames.h"
#include "input/kernel/surface_pair_side.h"
#include "input/surface_pair_test_shapes.h"

namespace tessarin::input::kernel {
namespace {

using namespace pair_testing;

TEST(SurfaceSideValue, OfAConeIsTheDistanceToItsNappe) {
  const double theta = std::numbers::pi / 6;
  const SurfaceRecord cone = Cone({0, 0, 0}, {0, 0, 1}, theta);
  // On the axis in front of the apex: inside, at distance z·sin θ from the nappe.
  EXPECT_NEAR(SurfaceSideValue({0, 0, 2}, cone), -2 * std::sin(theta), 1e-15);
  EXPECT_NEAR(SurfaceSideValue({std::tan(theta), 0, 1}, cone), 0, 1e-15);
  // Behind the apex, within the mirrored normal cone: the apex is nearest.
  EXPECT_NEAR(SurfaceSideValue({0.1, 0, -3}, cone), std::hypot(0.1, 3.0), 1e-15);
  // Beside the apex, but outside that region: distance to the generator line.
  const Vec3 beside{1, 0, -0.2};
  EXPECT_NEAR(SurfaceSideValue(beside, cone), 1 * std::cos(theta) + 0.2 * std::sin(theta), 1e-15);
  EXPECT_EQ(SurfaceSideValue({0, 0, 0}, cone), 0);
}

TEST(SurfaceSideValue, OfAConeIsContinuousWhereTheNearestPointTurnsToTheApex) {
  const double theta = 0.4;
  const SurfaceRecord cone = Cone({1, 2, 3}, {0, 1, 0}, theta);
  // Points at unit distance from the apex, just either side of the direction
  // perpendicular to the generator.
  const double boundary = std::numbers::pi / 2 + theta;
  for (double offset : {-1e-7, 1e-7}) {
    const double angle = boundary + offset;
    const Vec3 x = cone.point + Vec3{std::sin(angle), std::cos(angle), 0};
    EXPECT_NEAR(SurfaceSideValue(x, cone), 1, 1e-6);
  }
}

void ExpectOrthonormal(const Frame& f) {
  EXPECT_NEAR(Norm(f.e1), 1, 1e-12);
  EXPECT_NEAR(Norm(f.e2), 1, 1e-12);
  EXPECT_NEAR(Dot(f.e1, f.w), 0, 1e-12);
  EXPECT_NEAR(Dot(f.e2, f.w), 0, 1e-12);
  EXPECT_NEAR(Norm(Cross(f.w, f.e1) - f.e2), 0, 1e-12);
}

TEST(Frames, AreOrthonormalForAnyDirection) {
  RandomShapes random(7);
  for (int i = 0; i < 200; ++i) {
    const Vec3 w = random.Direction();
    ExpectOrthonormal(FrameFromDirection(w, 1e-12));
    ExpectOrthonormal(FrameFromAxisAndVector(w, random.Direction(), 1e-12));
  }
  for (const Vec3& w : {Vec3{1, 0, 0}, Vec3{-1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, -1}}) ExpectOrthonormal(FrameFromDirection(w, 1e-12));
}

TEST(Frames, AlongTheXAxisUseTheYAxis) {
  EXPECT_EQ(FrameFromDirection({1, 0, 0}, 1e-12).e1, (Vec3{0, 1, 0}));
  EXPECT_EQ(FrameFromDirection({-1, 0, 0}, 1e-12).e1, (Vec3{0, -1, 0}));
  EXPECT_EQ(FrameFromDirection({0, 0, 1}, 1e-12).e1, (Vec3{1, 0, 0}));
}

TEST(Frames, FromAxisAndVectorPointAwayFromTheVectorsLean) {
  const Vec3 w{0, 0, 1};
  // q leaning forwards (c > 0) and backwards (c < 0) both give e1 = −x.
  EXPECT_NEAR(Norm(FrameFromAxisAndVector(w, Unit(Vec3{1, 0, 1}), 1e-12).e1 - Vec3{-1, 0, 0}), 0, 1e-15);
  EXPECT_NEAR(Norm(FrameFromAxisAndVector(w, Unit(Vec3{1, 0, -1}), 1e-12).e1 - Vec3{1, 0, 0}), 0, 1e-15);
  // A perpendicular q is e1 itself.
  EXPECT_EQ(FrameFromAxisAndVector(w, {0, 1, 0}, 1e-12).e1, (Vec3{0, 1, 0}));
  // q along w leaves no perpendicular part; the frame still is one.
  ExpectOrthonormal(FrameFromAxisAndVector(w, w, 1e-12));
}

}  // namespace
}  // namespace tessarin::input::kernel
