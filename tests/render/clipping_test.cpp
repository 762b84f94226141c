// The region test, the curve-surface points and the clipping iteration on
// small hand-built surface tables.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "input/kernel/surface_pair_intersect.h"
#include "input/kernel/surface_pair_side.h"
#include "render/clipping_iteration.h"
#include "render/curve_surface_points.h"
#include "render/region_test.h"

namespace tessarin::render {
namespace {

using input::SurfaceKind;
using input::SurfaceRecord;
using input::Vec3;
namespace kernel = input::kernel;

SurfaceRecord Plane(const Vec3& point, const Vec3& normal) {
  SurfaceRecord s;
  s.kind = SurfaceKind::Plane;
  s.point = point;
  s.direction = Unit(normal);
  s.planeConstant = -Dot(s.direction, point);
  return s;
}

SurfaceRecord Sphere(const Vec3& centre, double radius) {
  SurfaceRecord s;
  s.kind = SurfaceKind::Sphere;
  s.point = centre;
  s.radius = radius;
  return s;
}

SurfaceRecord Cylinder(const Vec3& point, const Vec3& axis, double radius) {
  SurfaceRecord s;
  s.kind = SurfaceKind::Cylinder;
  s.point = point;
  s.direction = Unit(axis);
  s.radius = radius;
  return s;
}

SurfaceRecord Cone(const Vec3& apex, const Vec3& axis, double halfAngle) {
  SurfaceRecord s;
  s.kind = SurfaceKind::Cone;
  s.point = apex;
  s.direction = Unit(axis);
  s.halfAngle = halfAngle;
  s.sinHalfAngle = std::sin(halfAngle);
  s.cosHalfAngle = std::cos(halfAngle);
  s.tanHalfAngle = std::tan(halfAngle);
  return s;
}

class ClippingTest : public ::testing::Test {
 protected:
  int Add(const SurfaceRecord& surface) {
    surfaces.push_back(surface);
    return static_cast<int>(surfaces.size()) - 1;
  }
  // The six faces of a cube of half-size h around the origin, sense −1.
  void AddWorld(HalfSpaceList& list, double h) {
    for (const Vec3& n : {Vec3{1, 0, 0}, Vec3{-1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, -1, 0}, Vec3{0, 0, 1}, Vec3{0, 0, -1}})
      list.Append(Add(Plane(h * n, n)), -1);
  }
  bool Test(HalfSpaceList& list) { return RegionTest(context, list); }

  std::vector<SurfaceRecord> surfaces;
  input::PrecisionSettings precision;
  ClipContext context{surfaces, precision, {}, {}};
};

TEST_F(ClippingTest, OppositeSidesOfOnePlaneAreEmpty) {
  const int plane = Add(Plane({0, 0, 1}, {0, 0, 1}));
  HalfSpaceList list;
  list.Append(plane, -1);
  list.Append(plane, 1);
  EXPECT_FALSE(Test(list));
}

TEST_F(ClippingTest, ConcentricSpheres) {
  const int small = Add(Sphere({1, 2, 3}, 1)), large = Add(Sphere({1, 2, 3}, 2));
  HalfSpaceList shell;
  shell.Append(small, -1);
  shell.Append(large, 1);
  EXPECT_FALSE(Test(shell));

  HalfSpaceList both;
  both.Append(small, -1);
  both.Append(large, -1);
  RegionTestDetails details;
  EXPECT_TRUE(RegionTest(context, both, &details));
  EXPECT_TRUE(details.anyRedundant);
  EXPECT_EQ(details.redundant, (std::vector<bool>{false, true}));
}

TEST_F(ClippingTest, BoxOfPlanesHasAnInteriorPoint) {
  HalfSpaceList list;
  AddWorld(list, 100);
  list.Append(Add(Plane({2, 0, 0}, {1, 0, 0})), -1);
  list.Append(Add(Plane({-1, 0, 0}, {1, 0, 0})), 1);
  list.Append(Add(Plane({0, 0, 0}, {1, 1, 0})), 1);
  ASSERT_TRUE(Test(list));
  ASSERT_TRUE(list.hasInteriorPoint);
  for (int k = 0; k < list.Count(); ++k)
    EXPECT_GT(list.senses[k] * kernel::SurfaceSideValue(list.interiorPoint, surfaces[list.surfaces[k]]), 0);
}

TEST_F(ClippingTest, ThinRegionsAreNotEmpty) {
  // A slab 100·D thick, and a thin shell between a sphere and a cylinder.
  const double d = precision.distancePrecision;
  HalfSpaceList slab;
  AddWorld(slab, 100);
  slab.Append(Add(Plane({0, 0, 5}, {0, 0, 1})), 1);
  slab.Append(Add(Plane({0, 0, 5 + 200 * d}, {0, 0, 1})), -1);
  EXPECT_TRUE(Test(slab));

  HalfSpaceList wedge;
  AddWorld(wedge, 100);
  wedge.Append(Add(Plane({0, 0, 0}, {0, 1, 0})), 1);
  wedge.Append(Add(Plane({0, 0, 0}, {0, 1, -1e-6})), -1);
  EXPECT_TRUE(Test(wedge));

  HalfSpaceList gap;
  AddWorld(gap, 100);
  gap.Append(Add(Plane({0, 0, 5}, {0, 0, 1})), -1);
  gap.Append(Add(Plane({0, 0, 5 + 200 * d}, {0, 0, 1})), 1);
  EXPECT_FALSE(Test(gap));
}

TEST_F(ClippingTest, CurvedCellsAgainstTheWorld) {
  HalfSpaceList rod;
  AddWorld(rod, 100);
  rod.Append(Add(Cylinder({0, 0, 0}, {0, 0, 1}, 1)), -1);
  EXPECT_TRUE(Test(rod));

  HalfSpaceList outside;  // a cylinder far outside the world
  AddWorld(outside, 100);
  outside.Append(Add(Cylinder({500, 0, 0}, {0, 0, 1}, 1)), -1);
  EXPECT_FALSE(Test(outside));

  HalfSpaceList coneCut;  // a cone whose tip alone is in the world
  AddWorld(coneCut, 10);
  coneCut.Append(Add(Cone({0, 0, 9}, {0, 0, 1}, 0.3)), -1);
  EXPECT_TRUE(Test(coneCut));

  HalfSpaceList lens;  // two overlapping spheres
  lens.Append(Add(Sphere({0, 0, 0}, 1)), -1);
  lens.Append(Add(Sphere({1.5, 0, 0}, 1)), -1);
  AddWorld(lens, 100);
  EXPECT_TRUE(Test(lens));

  HalfSpaceList apart;
  apart.Append(Add(Sphere({0, 0, 0}, 1)), -1);
  apart.Append(Add(Sphere({3, 0, 0}, 1)), -1);
  AddWorld(apart, 100);
  EXPECT_FALSE(Test(apart));
}

TEST_F(ClippingTest, PlanesNotCuttingAreFound) {
  HalfSpaceList list;
  AddWorld(list, 100);
  list.Append(Add(Sphere({0, 0, 0}, 1)), -1);
  list.Append(Add(Plane({0, 0, 0.5}, {0, 0, 1})), -1);  // cuts the sphere
  list.Append(Add(Plane({0, 0, 5}, {0, 0, 1})), -1);    // misses it
  std::vector<int> candidates{0, 1, 2, 3, 4, 5, 7, 8};
  EXPECT_EQ(PlanesNotCutting(context, list, candidates), (std::vector<int>{0, 1, 2, 3, 4, 5, 8}));
}

TEST_F(ClippingTest, CurvesMeetSurfacesWhereTheSideValueVanishes) {
  const SurfaceRecord plane = Plane({0, 0, 0}, {0, 0.3, 1});
  const SurfaceRecord cylinder = Cylinder({0, 0, 0}, {0, 0, 1}, 2);
  const std::vector<SurfaceRecord> others{Plane({1, 0, 0}, {1, 0.2, 0}), Sphere({0.5, 0, 0}, 2),
                                          Cylinder({0, 0, 0}, {1, 0, 0}, 1.5), Cone({-5, 0, 0}, {1, 0, 0}, 0.4)};
  kernel::IntersectionCurve curve;
  ASSERT_EQ(kernel::IntersectSurfaces(plane, cylinder, precision, curve), kernel::kCylinderEllipse);
  std::vector<double> parameters;
  for (const SurfaceRecord& other : others) {
    CurveSurfaceParameters(curve, 0, other, precision, parameters);
    EXPECT_EQ(parameters.size() % 2, 0u);
    EXPECT_FALSE(parameters.empty());
    for (double t : parameters)
      EXPECT_NEAR(kernel::SurfaceSideValue(kernel::CurvePoint(curve, 0, t), other), 0, 1e-9);
  }
  // A line against every kind.
  ASSERT_EQ(kernel::IntersectSurfaces(Plane({0, 0, 0}, {0, 0, 1}), Plane({0, 0, 0}, {0, 1, 0}), precision, curve),
            kernel::kLine);
  for (const SurfaceRecord& other : {Sphere({3, 0, 0}, 1), Cylinder({0, 0, 0}, {0, 1, 1}, 1), Cone({-4, 0, 0}, {1, 0, 0}, 0.5)}) {
    CurveSurfaceParameters(curve, 0, other, precision, parameters);
    EXPECT_FALSE(parameters.empty());
    for (double t : parameters)
      EXPECT_NEAR(kernel::SurfaceSideValue(kernel::CurvePoint(curve, 0, t), other), 0, 1e-9);
  }
}

TEST_F(ClippingTest, WorldFacesCloseInOnASphere) {
  HalfSpaceList cell;
  cell.Append(Add(Sphere({0, 0, 0}, 1)), -1);
  ASSERT_TRUE(Test(cell));
  const int face = Add(Plane({100, 0, 0}, {1, 0, 0}));
  const int cycles = ClipPlane(context, cell, {face, 200, 40, true, -1});
  EXPECT_EQ(cycles, 40);
  const double x = surfaces[face].point.x;
  EXPECT_GE(x, 1 - 1e-9);
  EXPECT_LE(x - 1, 2 * 200.0 / std::pow(2.0, 38));

  // One cycle tries only the first small step.
  surfaces[face] = Plane({100, 0, 0}, {1, 0, 0});
  EXPECT_EQ(ClipPlane(context, cell, {face, 200, 1, true, -1}), 1);
  EXPECT_NEAR(surfaces[face].point.x, 100 - 10 * precision.distancePrecision, 1e-12);

  // Not inverted, the plane moves along its normal: away from the sphere.
  surfaces[face] = Plane({100, 0, 0}, {-1, 0, 0});
  EXPECT_EQ(ClipPlane(context, cell, {face, 200, 10, false, -1}), 10);
  EXPECT_GT(surfaces[face].point.x, 1);
  EXPECT_LT(surfaces[face].point.x, 100);
}

TEST_F(ClippingTest, ACapAtTheCellsEndDoesNotMove) {
  HalfSpaceList cell;
  AddWorld(cell, 100);
  const int rod = Add(Cylinder({0, 0, 0}, {0, 0, 1}, 1));
  cell.Append(rod, -1);
  cell.Append(Add(Plane({0, 0, -3}, {0, 0, 1})), 1);
  cell.Append(Add(Plane({0, 0, 4}, {0, 0, 1})), -1);
  ASSERT_TRUE(Test(cell));
  const int base = Add(Plane({0, 0, -3}, {0, 0, -1}));
  EXPECT_EQ(ClipPlane(context, cell, {base, 400, 20, true, -1}), 0);
  EXPECT_EQ(surfaces[base].point.z, -3);

  const int top = Add(Plane({0, 0, 200}, {0, 0, 1}));
  EXPECT_GT(ClipPlane(context, cell, {top, 400, 40, true, -1}), 0);
  EXPECT_NEAR(surfaces[top].point.z, 4, 1e-6);
}

TEST_F(ClippingTest, AReversedEntryClipsToThePartInsideTheSurface) {
  // A cell outside a rod inside a slab: the rod's caps close in on the slab.
  HalfSpaceList cell;
  AddWorld(cell, 100);
  const int rod = Add(Cylinder({0, 0, 0}, {0, 0, 1}, 1));
  cell.Append(rod, 1);
  cell.Append(Add(Plane({0, 0, -2}, {0, 0, 1})), 1);
  cell.Append(Add(Plane({0, 0, 2}, {0, 0, 1})), -1);
  ASSERT_TRUE(Test(cell));
  const int top = Add(Plane({0, 0, 200}, {0, 0, 1}));
  EXPECT_GT(ClipPlane(context, cell, {top, 400, 40, true, rod}), 0);
  EXPECT_NEAR(surfaces[top].point.z, 2, 1e-6);
  EXPECT_EQ(cell.senses[6], 1);  // restored
}

// A cone and a cylinder that cross meet along a curve without a parametric
// form, and the world faces touch neither: nothing of the region shows on
// the curves the vertex search can follow, yet it is there.
TEST_F(ClippingTest, ACrossingConeAndCylinderAreNotEmpty) {
  HalfSpaceList crossing;
  crossing.Append(Add(Cone({0, 0, -50}, {0, 0, 1}, 0.6)), -1);
  crossing.Append(Add(Cylinder({0, 0, 0}, {1, 0, 0.2}, 5)), -1);
  AddWorld(crossing, 3000);
  ASSERT_TRUE(Test(crossing));
  ASSERT_TRUE(crossing.hasInteriorPoint);
  for (int k = 0; k < crossing.Count(); ++k)
    EXPECT_GT(crossing.senses[k] * kernel::SurfaceSideValue(crossing.interiorPoint, surfaces[crossing.surfaces[k]]), 0);
}

// Far from the origin a point of a circle on a cylinder is off the cylinder
// by more than the distance precision through rounding alone; the cap must
// still stop where the cylinder leaves the world.
TEST_F(ClippingTest, ACapStopsAtTheWorldAlsoWhereRoundingExceedsThePrecision) {
  const Vec3 axis = Unit(Vec3{-0.245687069199491, 0.598644829291879, -0.762405556374205});
  const int rod = Add(Cylinder({0, 0, 0}, axis, 12640.650815483));
  HalfSpaceList outside;
  outside.Append(rod, 1);
  AddWorld(outside, 38500);
  ASSERT_TRUE(Test(outside));
  const double half = 154000;
  const int top = Add(Plane(half * axis, axis));
  ClipPlane(context, outside, {top, 2 * half, 20, true, rod});
  // The axis itself stays in the world up to this far.
  const double reach = 38500 / std::max({std::fabs(axis.x), std::fabs(axis.y), std::fabs(axis.z)});
  EXPECT_GE(Dot(surfaces[top].point, axis), reach);
  EXPECT_EQ(outside.senses[0], 1);
}

}  // namespace
}  // namespace tessarin::render
