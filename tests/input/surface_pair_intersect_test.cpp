#include <gtest/gtest.h>

#include <cmath>

#include "input/kernel/surface_pair_intersect.h"
#include "input/surface_pair_test_shapes.h"

namespace tessarin::input::kernel {
namespace {

using namespace pair_testing;
constexpr double kPi = std::numbers::pi;
constexpr double kOnSurface = 1e-9;

std::int32_t Intersect(const SurfaceRecord& s1, const SurfaceRecord& s2, IntersectionCurve& curve,
                       const PrecisionSettings& p = Precision()) {
  return IntersectSurfaces(s1, s2, p, curve);
}

// The code must be `expected` whichever way round the pair is given, and
// every curve point must lie on both surfaces.
void ExpectCurve(const SurfaceRecord& s1, const SurfaceRecord& s2, std::int32_t expected, double span = 10) {
  for (bool swap : {false, true}) {
    IntersectionCurve curve;
    const std::int32_t code = swap ? Intersect(s2, s1, curve) : Intersect(s1, s2, curve);
    ASSERT_EQ(code, expected) << (swap ? "swapped" : "in order");
    EXPECT_EQ(curve.curveType, expected);
    if (HasParametricForm(code)) {
      EXPECT_LT(WorstCurveDistance(curve, s1, s2, span), kOnSurface);
    }
  }
}

// Surfaces that do not meet: the code is minus the class the sampling shows,
// and reversing the pair swaps classes 2 and 3.
void ExpectApart(const SurfaceRecord& s1, const SurfaceRecord& s2, double extent = 20) {
  IntersectionCurve curve;
  const int sampled = SampledRelation(s1, s2, extent);
  ASSERT_NE(sampled, 0) << "the construction does not keep the surfaces apart";
  EXPECT_EQ(Intersect(s1, s2, curve), -sampled);
  const int reversed = sampled == 2 ? 3 : sampled == 3 ? 2 : sampled;
  EXPECT_EQ(Intersect(s2, s1, curve), -reversed);
}

// The surfaces meet along a curve without parametric form: sampling must
// show one surface on both sides of the other.
void ExpectGeneralCurve(const SurfaceRecord& s1, const SurfaceRecord& s2, std::int32_t expected, double extent = 20) {
  IntersectionCurve curve;
  EXPECT_EQ(Intersect(s1, s2, curve), expected);
  EXPECT_EQ(Intersect(s2, s1, curve), expected);
  EXPECT_TRUE(SamplesCross(s1, s2, extent));
}

TEST(IntersectPlanes, CrossingPlanesMeetInALineOnBoth) {
  RandomShapes random(1);
  for (int i = 0; i < 100; ++i) ExpectCurve(Plane(random.Point(), random.Direction()), Plane(random.Point(), random.Direction()), kLine);
  // Axis-aligned normals exercise each choice of the zeroed coordinate.
  ExpectCurve(Plane({1, 2, 3}, {1, 0, 0}), Plane({1, 2, 3}, {0, 1, 0}), kLine);
  ExpectCurve(Plane({1, 2, 3}, {0, 0, 1}), Plane({1, 2, 3}, {1, 0, 0}), kLine);
  ExpectCurve(Plane({1, 2, 3}, {0, 1, 0}), Plane({1, 2, 3}, {0, 0, 1}), kLine);
}

TEST(IntersectPlanes, ParallelPlanesAreClassifiedBySides) {
  RandomShapes random(2);
  for (int i = 0; i < 40; ++i) {
    const Vec3 n = random.Direction();
    const Vec3 p = random.Point();
    const Vec3 q = p + random.Uniform(0.1, 3) * n + 2.0 * random.Perpendicular(n);
    for (double s1 : {1.0, -1.0})
      for (double s2 : {1.0, -1.0}) ExpectApart(Plane(p, s1 * n), Plane(q, s2 * n));
  }
}

TEST(IntersectPlanes, TheSamePlaneInEitherOrientationCoincides) {
  IntersectionCurve curve;
  const SurfaceRecord plane = Plane({1, 1, 1}, {1, 2, 3});
  EXPECT_EQ(Intersect(plane, Plane({1, 1, 1}, {1, 2, 3}), curve), kCoincident);
  EXPECT_EQ(Intersect(plane, Plane({1, 1, 1}, {-1, -2, -3}), curve), kCoincident);
}

TEST(IntersectPlaneSphere, ACuttingPlaneMeetsInACircle) {
  RandomShapes random(3);
  for (int i = 0; i < 100; ++i) {
    const SurfaceRecord sphere = Sphere(random.Point(), random.Uniform(0.5, 4));
    const Vec3 n = random.Direction();
    ExpectCurve(Plane(sphere.point + random.Uniform(-0.99, 0.99) * sphere.radius * n, n), sphere, kCircle);
  }
}

TEST(IntersectPlaneSphere, APlaneTangentWithinThePrecisionDoesNotMeet) {
  const double d = 1e-6;
  const SurfaceRecord sphere = Sphere({0, 0, 0}, 1);
  IntersectionCurve curve;
  EXPECT_EQ(Intersect(Plane({0, 0, 1 - d / 2}, {0, 0, 1}), sphere, curve, Precision(d)), -3);
  EXPECT_EQ(Intersect(Plane({0, 0, 1 - 2 * d}, {0, 0, 1}), sphere, curve, Precision(d)), kCircle);
  ExpectApart(Plane({0, 0, 1.5}, {0, 0, 1}), sphere);
  ExpectApart(Plane({0, 0, 1.5}, {0, 0, -1}), sphere);
}

TEST(IntersectSpheres, CrossingSpheresMeetInACircle) {
  RandomShapes random(4);
  for (int i = 0; i < 100; ++i) {
    const double r1 = random.Uniform(0.5, 3), r2 = random.Uniform(0.5, 3);
    const Vec3 c1 = random.Point();
    const double gap = random.Uniform(std::fabs(r1 - r2) + 0.01, r1 + r2 - 0.01);
    ExpectCurve(Sphere(c1, r1), Sphere(c1 + gap * random.Direction(), r2), kCircle);
  }
}

TEST(IntersectSpheres, NestedAndSeparateSpheresDoNotMeet) {
  IntersectionCurve curve;
  EXPECT_EQ(IntersectSurfaces(Sphere({0, 0, 0}, 1), Sphere({0, 0, 0}, 2), Precision()), -2);
  EXPECT_EQ(Intersect(Sphere({0, 0, 0}, 2), Sphere({0, 0, 0}, 1), curve), -3);
  EXPECT_EQ(Intersect(Sphere({1, 2, 3}, 2), Sphere({1, 2, 3}, 2), curve), kCoincident);
  ExpectApart(Sphere({0, 0, 0}, 1), Sphere({0.5, 0, 0}, 3));
  ExpectApart(Sphere({0, 0, 0}, 1), Sphere({3, 0, 0}, 1.5));
  // Touching from outside and from inside.
  EXPECT_EQ(Intersect(Sphere({0, 0, 0}, 1), Sphere({2, 0, 0}, 1), curve), -1);
  EXPECT_EQ(Intersect(Sphere({0, 0, 0}, 1), Sphere({1, 0, 0}, 2), curve), -2);
}

TEST(IntersectPlaneCylinder, AllCutsLieOnBoth) {
  RandomShapes random(5);
  for (int i = 0; i < 60; ++i) {
    const SurfaceRecord cylinder = Cylinder(random.Point(), random.Direction(), random.Uniform(0.5, 3));
    const Vec3 across = random.Perpendicular(cylinder.direction);
    // Along the axis: two lines.
    ExpectCurve(Plane(cylinder.point + random.Uniform(-0.9, 0.9) * cylinder.radius * across, across), cylinder, kTwoLines);
    // Across the axis: a circle; obliquely: an ellipse.
    ExpectCurve(Plane(cylinder.point + random.Uniform(-5, 5) * cylinder.direction, cylinder.direction), cylinder, kCircle);
    const Vec3 oblique = random.AtAngle(cylinder.direction, random.Uniform(0.05, 1.5));
    ExpectCurve(Plane(cylinder.point + random.Point(2), oblique), cylinder, kCylinderEllipse, 2 * kPi);
    ExpectCurve(Plane(cylinder.point + random.Point(2), -oblique), cylinder, kCylinderEllipse, 2 * kPi);
  }
}

TEST(IntersectPlaneCylinder, APlaneBesideTheCylinderDoesNotMeet) {
  const SurfaceRecord cylinder = Cylinder({0, 0, 0}, {0, 0, 1}, 1);
  ExpectApart(Plane({2, 0, 0}, {1, 0, 0}), cylinder);
  ExpectApart(Plane({2, 0, 0}, {-1, 0, 0}), cylinder);
  IntersectionCurve curve;
  EXPECT_EQ(Intersect(Plane({1, 0, 0}, {1, 0, 0}), cylinder, curve), -3);
}

// A cone along a random axis and a plane whose normal makes `tilt` with the
// axis, meeting the axis `along` from the apex.
struct ConeCut {
  SurfaceRecord cone, plane;
};

ConeCut CutCone(RandomShapes& random, double theta, double tilt, double along) {
  ConeCut cut;
  cut.cone = Cone(random.Point(), random.Direction(), theta);
  const Vec3 normal = random.AtAngle(cut.cone.direction, tilt);
  cut.plane = Plane(cut.cone.point + along * cut.cone.direction, random.Uniform(0, 1) < 0.5 ? normal : -normal);
  return cut;
}

TEST(IntersectPlaneCone, ConicSectionsLieOnBoth) {
  RandomShapes random(6);
  for (int i = 0; i < 80; ++i) {
    const double theta = random.Uniform(0.1, 1.3);
    const double along = random.Uniform(0.2, 4);
    // Steeper than the nappe: ellipse; parallel to a generator: parabola;
    // shallower: hyperbola, with the plane meeting the axis in front of or
    // behind the apex.
    ConeCut ellipse = CutCone(random, theta, random.Uniform(0.02, 0.98) * (kPi / 2 - theta), along);
    ExpectCurve(ellipse.plane, ellipse.cone, kConeEllipse, 2 * kPi);
    ConeCut parabola = CutCone(random, theta, kPi / 2 - theta, along);
    ExpectCurve(parabola.plane, parabola.cone, kConeParabola, 3);
    const double shallow = kPi / 2 - theta + random.Uniform(0.02, 0.98) * theta;
    ConeCut front = CutCone(random, theta, shallow, along);
    ExpectCurve(front.plane, front.cone, kConeHyperbola, 3);
    ConeCut behind = CutCone(random, theta, shallow, -along);
    ExpectCurve(behind.plane, behind.cone, kConeHyperbola, 3);
    ConeCut perpendicular = CutCone(random, theta, 0, along);
    ExpectCurve(perpendicular.plane, perpendicular.cone, kCircle);
  }
}

TEST(IntersectPlaneCone, APlaneParallelToTheAxisCutsAHyperbolaOnEitherSide) {
  const SurfaceRecord cone = Cone({0, 0, 0}, {0, 0, 1}, 0.5);
  ExpectCurve(Plane({0.7, 0, 0}, {1, 0, 0}), cone, kConeHyperbola, 3);
  ExpectCurve(Plane({0.7, 0, 0}, {-1, 0, 0}), cone, kConeHyperbola, 3);
  ExpectCurve(Plane({-0.7, 0, 0}, {1, 0, 0}), cone, kConeHyperbola, 3);
}

TEST(IntersectPlaneCone, PlanesThroughTheApex) {
  RandomShapes random(8);
  for (int i = 0; i < 40; ++i) {
    const double theta = random.Uniform(0.1, 1.3);
    // Shallower than the nappe: two generators.
    ConeCut rays = CutCone(random, theta, kPi / 2 - theta + random.Uniform(0.05, 0.95) * theta, 0);
    ExpectCurve(rays.plane, rays.cone, kTwoRays);
    // Steeper: only the apex is shared.
    ConeCut apex = CutCone(random, theta, random.Uniform(0.05, 0.95) * (kPi / 2 - theta), 0);
    IntersectionCurve curve;
    EXPECT_LT(Intersect(apex.plane, apex.cone, curve), 0);
    EXPECT_FALSE(SidesOf(apex.cone, apex.plane, 10).Crosses());
  }
}

TEST(IntersectPlaneCone, APlaneBehindTheApexDoesNotMeet) {
  RandomShapes random(9);
  for (int i = 0; i < 40; ++i) {
    const double theta = random.Uniform(0.1, 1.3);
    ConeCut cut = CutCone(random, theta, random.Uniform(0, 0.95) * (kPi / 2 - theta), -random.Uniform(0.1, 3));
    ExpectApart(cut.plane, cut.cone);
  }
}

TEST(IntersectSphereCylinder, SpheresAcrossACylinder) {
  RandomShapes random(10);
  for (int i = 0; i < 60; ++i) {
    const SurfaceRecord cylinder = Cylinder(random.Point(), random.Direction(), random.Uniform(0.5, 2));
    const double rs = random.Uniform(0.3, 4);
    const double low = std::fmax(0.05, cylinder.radius - rs + 0.02), high = cylinder.radius + rs - 0.02;
    if (low >= high) continue;
    const double distance = random.Uniform(low, high);
    const Vec3 centre = cylinder.point + random.Uniform(-3, 3) * cylinder.direction +
                        distance * random.Perpendicular(cylinder.direction);
    ExpectCurve(Sphere(centre, rs), cylinder, kSphereCylinderCurve);
  }
}

TEST(IntersectSphereCylinder, ASmallSphereOnTheWallKeepsItsCurveOnBoth) {
  // The sphere's far side lies inside the cylinder: the curve turns before
  // the sphere's extent along the common perpendicular.
  ExpectCurve(Sphere({10, 0, 0}, 1), Cylinder({0, 0, 0}, {0, 0, 1}, 10), kSphereCylinderCurve);
  ExpectCurve(Sphere({9.5, 0, 3}, 1), Cylinder({0, 0, 0}, {0, 0, 1}, 10), kSphereCylinderCurve);
}

TEST(IntersectSphereCylinder, ACentredSphereMeetsInTwoCircles) {
  ExpectCurve(Sphere({1, 2, 3}, 2), Cylinder({1, 2, 0}, {0, 0, 1}, 1), kTwoCircles);
  RandomShapes random(11);
  for (int i = 0; i < 20; ++i) {
    const SurfaceRecord cylinder = Cylinder(random.Point(), random.Direction(), random.Uniform(0.5, 2));
    ExpectCurve(Sphere(cylinder.point + random.Uniform(-2, 2) * cylinder.direction, cylinder.radius * random.Uniform(1.05, 3)),
                cylinder, kTwoCircles);
  }
}

TEST(IntersectSphereCylinder, SpheresInsideOrBesideDoNotMeet) {
  const SurfaceRecord cylinder = Cylinder({0, 0, 0}, {0, 1, 0}, 2);
  ExpectApart(Sphere({0.5, 3, 0}, 1), cylinder);
  ExpectApart(Sphere({4, 3, 0}, 1), cylinder);
  // A sphere round the cylinder's cross-section still meets it.
  ExpectCurve(Sphere({0, 0, 0}, 3), cylinder, kTwoCircles);
}

TEST(IntersectSphereCone, ASphereOnTheAxisMeetsInCircles) {
  const double theta = 0.5;
  const SurfaceRecord cone = Cone({0, 0, 0}, {0, 0, 1}, theta);
  // The apex outside the sphere: two circles.
  ExpectCurve(Sphere({0, 0, 5}, 3), cone, kTwoCircles);
  // The apex inside: one circle, for a centre in front of or behind it.
  ExpectCurve(Sphere({0, 0, 1}, 2), cone, kCircle);
  ExpectCurve(Sphere({0, 0, -1}, 2), cone, kCircle);
  RandomShapes random(12);
  for (int i = 0; i < 40; ++i) {
    const SurfaceRecord c = Cone(random.Point(), random.Direction(), random.Uniform(0.1, 1.3));
    const double e = random.Uniform(-2, 5);
    const double distance = e > 0 ? e * c.sinHalfAngle : -e;  // from the centre to the cone
    const double r = distance + random.Uniform(0.05, 3);
    IntersectionCurve curve;
    const SurfaceRecord sphere = Sphere(c.point + e * c.direction, r);
    const std::int32_t code = Intersect(sphere, c, curve);
    EXPECT_TRUE(code == kCircle || code == kTwoCircles);
    EXPECT_LT(WorstCurveDistance(curve, sphere, c), kOnSurface);
  }
}

TEST(IntersectSphereCone, AVanishingSecondCircleLeavesTheFirst) {
  const double d = 1e-9;
  const SurfaceRecord cone = Cone({0, 0, 0}, {0, 0, 1}, 0.5);
  // The sphere passes (within D) through the apex: the second circle shrinks
  // to it.
  IntersectionCurve curve;
  const SurfaceRecord sphere = Sphere({0, 0, 2}, 2 - d / 10);
  ASSERT_EQ(Intersect(sphere, cone, curve, Precision(d)), kCircle);
  EXPECT_LT(WorstCurveDistance(curve, sphere, cone), kOnSurface);
  EXPECT_GT(curve.shape[0], 1);
}

TEST(IntersectSphereCone, OffTheAxisTheCurveHasNoParametricForm) {
  const SurfaceRecord cone = Cone({0, 0, 0}, {0, 0, 1}, 0.5);
  ExpectGeneralCurve(Sphere({1, 0, 3}, 1.5), cone, kSphereConeCurve);
  ExpectApart(Sphere({0.2, 0, 8}, 1), cone);     // inside the cone
  ExpectApart(Sphere({5, 0, 0}, 1), cone);       // beside it
  ExpectApart(Sphere({0, 0, -3}, 1), cone);      // behind the apex
}

TEST(IntersectCylinders, CrossingCylindersLieOnBoth) {
  RandomShapes random(13);
  for (int i = 0; i < 100; ++i) {
    const SurfaceRecord c1 = Cylinder(random.Point(), random.Direction(), random.Uniform(0.5, 2));
    const Vec3 n2 = random.AtAngle(c1.direction, random.Uniform(0.1, kPi - 0.1));
    const double r2 = random.Uniform(0.5, 2);
    const double offset = random.Uniform(0, c1.radius + r2 - 0.05);
    const Vec3 towards = Unit(Cross(c1.direction, n2));
    const double side = random.Uniform(0, 1) < 0.5 ? 1 : -1;
    const Vec3 p2 = c1.point + random.Uniform(-2, 2) * c1.direction + side * offset * towards + random.Uniform(-2, 2) * n2;
    ExpectCurve(c1, Cylinder(p2, n2, r2), kCylinderCylinderCurve);
  }
}

TEST(IntersectCylinders, ParallelAndDistantCylinders) {
  const SurfaceRecord c1 = Cylinder({0, 0, 0}, {0, 0, 1}, 1);
  ExpectCurve(c1, Cylinder({1.5, 0.5, 7}, {0, 0, -1}, 1), kTwoLines);
  ExpectApart(c1, Cylinder({3, 0, 0}, {0, 0, 1}, 1));
  ExpectApart(c1, Cylinder({0.2, 0, 0}, {0, 0, 1}, 3));
  ExpectApart(c1, Cylinder({0, 5, 0}, {1, 0, 0}, 1));
  IntersectionCurve curve;
  EXPECT_EQ(Intersect(c1, Cylinder({0, 0, 4}, {0, 0, -1}, 1), curve), kCoincident);
}

TEST(IntersectCylinderCone, CommonAxisWithTheApexOnIt) {
  const double theta = 0.3;
  const SurfaceRecord cone = Cone({0, 0, 2}, {0, 0, -1}, theta);
  IntersectionCurve curve;
  const SurfaceRecord cylinder = Cylinder({0, 0, 0}, {0, 0, 1}, 1.5);
  ExpectCurve(cylinder, cone, kCircle);
  Intersect(cylinder, cone, curve);
  EXPECT_NEAR(Norm(curve.points[0] - Vec3{0, 0, 2 - 1.5 / std::tan(theta)}), 0, 1e-12);
}

TEST(IntersectCylinderCone, DecidedByTheClosedRules) {
  const SurfaceRecord cylinder = Cylinder({0, 0, 0}, {0, 0, 1}, 1);
  // Apex inside the cylinder; cylinder direction within the cone's opening.
  ExpectGeneralCurve(cylinder, Cone({0.3, 0, 0}, {1, 0, 0}, 0.4), kCylinderConeCurve);
  ExpectGeneralCurve(cylinder, Cone({4, 0, 0}, {0, 0.2, 1}, 0.4), kCylinderConeCurve);
  // Pointing at the cylinder from outside.
  ExpectGeneralCurve(cylinder, Cone({5, 0, 0}, {-1, 0, 0}, 0.3), kCylinderConeCurve);
  // Pointing away from it.
  ExpectApart(cylinder, Cone({5, 0, 0}, {1, 0, 0}, 0.3));
}

TEST(IntersectCylinderCone, DecidedByTheSearchAgreeWithSampling) {
  // A cone whose axis passes beside the cylinder, its nappe either reaching
  // the cylinder or not.
  const SurfaceRecord cylinder = Cylinder({0, 0, 0}, {0, 0, 1}, 1);
  ExpectGeneralCurve(cylinder, Cone({-3, 2.5, 0}, {1, 0, 0}, 0.6), kCylinderConeCurve);
  ExpectApart(cylinder, Cone({-3, 4, 0}, {1, 0, 0}, 0.2), 12);
  RandomShapes random(14);
  MeetingTally tally(kCylinderConeCurve, 40);
  for (int i = 0; i < 60; ++i) {
    const double theta = random.Uniform(0.1, 0.7);
    const Vec3 axis = random.AtAngle({0, 0, 1}, random.Uniform(theta + 0.1, kPi - theta - 0.1));
    const SurfaceRecord cone = Cone(random.Point(6), axis, theta);
    tally.Check(cylinder, cone, i);
  }
  tally.ExpectBothOutcomes();
}

}  // namespace
}  // namespace tessarin::input::kernel
