// The side value of a cone all around its apex, compared with the distance
// to the nearest generator found by projecting onto it. Behind the apex the
// nearest point turns from the generator to the apex itself exactly where the
// point is 90 degrees plus the half-angle away from the axis.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "input/surface_pair_test_shapes.h"

namespace tessarin::input::kernel {
namespace {

using namespace pair_testing;

// Signed distance from the cone with apex 0, axis +z and half-angle `theta`
// to the point at `length` from the apex, `polar` from the axis and at
// azimuth `azimuth`: the nearest point lies on the generator in the point's
// own half-plane, or is the apex.
double NappeDistance(double theta, double length, double polar, double azimuth) {
  const Vec3 q = length * Vec3{std::sin(polar) * std::cos(azimuth), std::sin(polar) * std::sin(azimuth), std::cos(polar)};
  const Vec3 generator{std::sin(theta) * std::cos(azimuth), std::sin(theta) * std::sin(azimuth), std::cos(theta)};
  const double along = std::max(0.0, Dot(q, generator));
  const double distance = Norm(q - along * generator);
  return polar < theta ? -distance : distance;
}

TEST(ConeSideValue, IsTheDistanceToTheNappeAllAroundTheApex) {
  for (double thetaDegrees : {10.0, 30.0, 45.0, 60.0, 80.0}) {
    const double theta = thetaDegrees * std::numbers::pi / 180;
    const SurfaceRecord cone = Cone({0, 0, 0}, {0, 0, 1}, theta);
    for (int polarDegrees = 1; polarDegrees < 180; polarDegrees += 3) {
      const double polar = polarDegrees * std::numbers::pi / 180;
      for (double azimuth : {0.0, 2.0, 4.5}) {
        const double length = 2.5;
        const Vec3 x = length * Vec3{std::sin(polar) * std::cos(azimuth), std::sin(polar) * std::sin(azimuth),
                                     std::cos(polar)};
        EXPECT_NEAR(SurfaceSideValue(x, cone), NappeDistance(theta, length, polar, azimuth), 1e-12)
            << "half-angle " << thetaDegrees << ", " << polarDegrees << " degrees from the axis";
      }
    }
  }
}

TEST(ConeSideValue, BehindTheApexOnTheAxisIsTheDistanceToTheApex) {
  const SurfaceRecord cone = Cone({1, -2, 3}, {0, 1, 0}, 0.3);
  EXPECT_NEAR(SurfaceSideValue({1, -6, 3}, cone), 4, 1e-15);
}

}  // namespace
}  // namespace tessarin::input::kernel
