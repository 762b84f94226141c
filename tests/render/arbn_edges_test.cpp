// The arbn checks against what MGED does: planes that meet at clean
// corners pass its edge walk; a plane that passes a corner at a shallow
// angle, leaving two corners a hair apart on one edge, does not.

#include "render/arbn_edges.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tessarin::render {
namespace {

using input::Vec3;

std::vector<ArbnPlane> Cube(double half) {
  std::vector<ArbnPlane> planes;
  for (const Vec3& n : {Vec3{1, 0, 0}, Vec3{-1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, -1, 0}, Vec3{0, 0, 1}, Vec3{0, 0, -1}})
    planes.push_back({n, half});
  return planes;
}

ArbnPlane Through(const Vec3& point, const Vec3& normal) { return {Unit(normal), Dot(Unit(normal), point)}; }

TEST(ArbnEdges, CleanCornersPassAndNearlyMeetingCornersDoNot) {
  constexpr double kTolerance = kMgedDistanceTolerance, kSlack = 10 * kMgedDistanceTolerance;
  struct Case {
    const char* what;
    std::vector<ArbnPlane> planes;
    bool drawable;
  };
  std::vector<ArbnPlane> cutCorner = Cube(1), shaved = Cube(1), pyramid;
  cutCorner.push_back(Through({0.5, 1, 1}, {1, 1, 1}));  // a corner cut well off
  // A plane through the edge x = y = 1 at z = 1 - 1e-4, tilted so slightly
  // that it leaves the corner (1, 1, 1) outside by less than the slack.
  shaved.push_back(Through({1, 1, 1 - 1e-4}, {0.1, 0.1, 1}));
  for (const Vec3& n : {Vec3{1, 0, 1}, Vec3{-1, 0, 1}, Vec3{0, 1, 1}, Vec3{0, -1, 1}}) pyramid.push_back(Through({0, 0, 1}, n));
  pyramid.push_back({{0, 0, -1}, 0});
  const std::vector<Case> cases{{"a cube", Cube(1), true},
                                {"a cube with one corner cut off", cutCorner, true},
                                {"a pyramid, four faces at its apex", pyramid, true},
                                {"a cube shaved at a corner by a hair", shaved, false},
                                {"a tiny cube, its edges shorter than the tolerance", Cube(1e-5), true}};
  for (const Case& c : cases) EXPECT_EQ(ArbnEdgesDrawable(c.planes, kTolerance, kSlack), c.drawable) << c.what;
}

// MGED cannot prepare an arbn with a plane on none of its corners; a plane
// that touches one corner is fine.
TEST(ArbnCorners, PlanesThatMissTheSolidAreFoundAndPlanesEnclosingNothingToo) {
  struct Case {
    const char* what;
    std::vector<ArbnPlane> planes;
    bool any;
    std::vector<std::size_t> cornerless;
  };
  std::vector<ArbnPlane> missing = Cube(1), touching = Cube(1), apart = Cube(1);
  missing.push_back({{1, 0, 0}, 2});
  touching.push_back(Through({1, 1, 1}, {1, 1, 1}));
  apart.push_back({{-1, 0, 0}, -5});  // x >= 5, beyond the cube
  const std::vector<Case> cases{{"a cube", Cube(1), true, {}},
                                {"a cube and a plane beyond it", missing, true, {6}},
                                {"a cube and a plane through one corner", touching, true, {}},
                                {"a cube and a half-space apart from it", apart, false, {}}};
  for (const Case& c : cases) {
    const ArbnCorners corners = FindArbnCorners(c.planes, kMgedDistanceTolerance / 10);
    EXPECT_EQ(corners.any, c.any) << c.what;
    EXPECT_EQ(corners.cornerless, c.cornerless) << c.what;
  }
}

}  // namespace
}  // namespace tessarin::render
