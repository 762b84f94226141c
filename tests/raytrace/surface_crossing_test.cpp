#include "raytrace/surface_crossing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace tessarin::raytrace {
namespace {

using input::SurfaceKind;

input::SurfaceRecord Surface(SurfaceKind kind, Vec3 point, Vec3 direction, double radius = 0, double degrees = 0) {
  input::SurfaceRecord surface;
  surface.kind = kind;
  surface.point = point;
  surface.direction = direction;
  surface.planeConstant = -Dot(direction, point);
  surface.radius = radius;
  surface.halfAngle = degrees * std::numbers::pi / 180;
  return surface;
}

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();  // the span is empty
constexpr double kInf = HUGE_VAL;

struct Case {
  std::string what;
  input::SurfaceRecord surface;
  Ray ray;
  double entry, exit;
};

TEST(NegativeSide, IsOneStretchForEveryKindOfSurface) {
  const Vec3 z{0, 0, 1}, x{1, 0, 0};
  const double diagonal = std::sqrt(0.5);
  const Case cases[] = {
      {"plane crossed along its normal", Surface(SurfaceKind::Plane, {0, 0, 2}, z), {{0, 0, 0}, z}, -kInf, 2},
      {"plane crossed against its normal", Surface(SurfaceKind::Plane, {0, 0, 2}, z), {{0, 0, 0}, -1 * z}, -2,
       kInf},
      {"ray behind a plane, parallel to it", Surface(SurfaceKind::Plane, {0, 0, 2}, z), {{0, 0, 0}, x}, -kInf, kInf},
      {"ray in front of a plane, parallel to it", Surface(SurfaceKind::Plane, {0, 0, -2}, z), {{0, 0, 0}, x}, kNone,
       kNone},
      {"sphere through its centre", Surface(SurfaceKind::Sphere, {5, 0, 0}, z, 2), {{0, 0, 0}, x}, 3, 7},
      {"sphere from a start far away", Surface(SurfaceKind::Sphere, {0, 0, 0}, z, 1), {{-1e9, 0, 0}, x}, 1e9 - 1,
       1e9 + 1},
      {"sphere missed", Surface(SurfaceKind::Sphere, {5, 3, 0}, z, 2), {{0, 0, 0}, x}, kNone, kNone},
      {"sphere touched", Surface(SurfaceKind::Sphere, {5, 2, 0}, z, 2), {{0, 0, 0}, x}, kNone, kNone},
      {"cylinder across its axis", Surface(SurfaceKind::Cylinder, {4, 0, 0}, z, 1), {{0, 0, 7}, x}, 3, 5},
      {"cylinder at 45 degrees", Surface(SurfaceKind::Cylinder, {0, 0, 0}, z, 1), {{0, 0, 0}, {diagonal, 0, diagonal}},
       -std::sqrt(2.0), std::sqrt(2.0)},
      {"inside a cylinder, along its axis", Surface(SurfaceKind::Cylinder, {0, 0.5, 0}, z, 1), {{0, 0, 0}, z}, -kInf,
       kInf},
      {"outside a cylinder, along its axis", Surface(SurfaceKind::Cylinder, {0, 3, 0}, z, 1), {{0, 0, 0}, z}, kNone,
       kNone},
      // A cone of half-angle 45 degrees opening up the z axis from the origin.
      {"cone along its axis from behind the apex", Surface(SurfaceKind::Cone, {0, 0, 0}, z, 0, 45), {{0, 0, -5}, z},
       5, kInf},
      {"cone along its axis, away from the nappe", Surface(SurfaceKind::Cone, {0, 0, 0}, z, 0, 45),
       {{0, 0, 5}, -1 * z}, -kInf, 5},
      {"cone across its axis at height 3", Surface(SurfaceKind::Cone, {0, 0, 0}, z, 0, 45), {{-10, 0, 3}, x}, 7, 13},
      {"cone across below its apex", Surface(SurfaceKind::Cone, {0, 0, 0}, z, 0, 45), {{-10, 0, -3}, x}, kNone,
       kNone},
      {"cone along a line parallel to its side", Surface(SurfaceKind::Cone, {0, 0, 0}, z, 0, 45),
       {{-1, 0, 0}, {diagonal, 0, diagonal}}, std::sqrt(0.5), kInf},
      {"cone, a steep line through both nappes", Surface(SurfaceKind::Cone, {0, 0, 0}, z, 0, 30),
       {{0.5, 0, -4}, z}, 4 + 0.5 / std::tan(std::numbers::pi / 6), kInf},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Span side = NegativeSide(ShapeOf(c.surface), c.ray);
    if (std::isnan(c.entry)) {
      EXPECT_TRUE(side.Empty()) << side.entry << " " << side.exit;
      continue;
    }
    const double tolerance = 1e-9 * (1 + std::fabs(c.entry));
    if (std::isinf(c.entry)) EXPECT_EQ(side.entry, c.entry);
    else EXPECT_NEAR(side.entry, c.entry, tolerance);
    if (std::isinf(c.exit)) EXPECT_EQ(side.exit, c.exit);
    else EXPECT_NEAR(side.exit, c.exit, tolerance);
  }
}

TEST(OutwardNormal, PointsToThePositiveSide) {
  const Vec3 z{0, 0, 1};
  const SurfaceShape cone = ShapeOf(Surface(SurfaceKind::Cone, {0, 0, 0}, z, 0, 45));
  const Vec3 normal = OutwardNormal(cone, {3, 0, 3});
  EXPECT_NEAR(normal.x, std::sqrt(0.5), 1e-12);
  EXPECT_NEAR(normal.z, -std::sqrt(0.5), 1e-12);
  const Vec3 radial = OutwardNormal(ShapeOf(Surface(SurfaceKind::Cylinder, {1, 1, 0}, z, 1)), {1, 2, 5});
  EXPECT_NEAR(radial.y, 1, 1e-12);
  EXPECT_NEAR(radial.z, 0, 1e-12);
}

}  // namespace
}  // namespace tessarin::raytrace
