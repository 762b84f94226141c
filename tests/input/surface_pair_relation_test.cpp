#include <gtest/gtest.h>

#include <cmath>

#include "input/kernel/surface_pair_relation.h"
#include "input/surface_pair_test_shapes.h"
#include "input/kernel/surface_pair_verdict.h"

namespace tessarin::input::kernel {
namespace {

using namespace pair_testing;

TEST(PairRelationClass, ConcentricSpheresFollowTheirOrder) {
  EXPECT_EQ(PairRelationClass(Sphere({0, 0, 0}, 1), Sphere({0, 0, 0}, 2), Precision()), kFirstInsideSecond);
  EXPECT_EQ(PairRelationClass(Sphere({0, 0, 0}, 2), Sphere({0, 0, 0}, 1), Precision()), kSecondInsideFirst);
}

TEST(PairRelationClass, CoincidenceOfEachKind) {
  const PrecisionSettings p = Precision(1e-9, 1e-9);
  EXPECT_EQ(PairRelationClass(Plane({0, 0, 1}, {0, 0, 1}), Plane({5, 5, 1 + 1e-10}, {0, 0, -1}), p), kRelationCoincident);
  EXPECT_EQ(PairRelationClass(Sphere({1, 1, 1}, 2), Sphere({1, 1, 1 + 1e-10}, 2 + 1e-10), p), kRelationCoincident);
  EXPECT_EQ(PairRelationClass(Cylinder({0, 0, 0}, {0, 0, 1}, 1), Cylinder({0, 0, 9}, {0, 0, -1}, 1), p), kRelationCoincident);
  EXPECT_EQ(PairRelationClass(Cone({0, 0, 0}, {0, 0, 1}, 0.5), Cone({0, 0, 0}, {0, 0, 1}, 0.5), p), kRelationCoincident);
  // A cone and its mirror image share the apex and the axis line only.
  EXPECT_NE(PairRelationClass(Cone({0, 0, 0}, {0, 0, 1}, 0.5), Cone({0, 0, 0}, {0, 0, -1}, 0.5), p), kRelationCoincident);
  // Crossing planes through a common point are not one plane.
  EXPECT_NE(PairRelationClass(Plane({0, 0, 0}, {0, 0, 1}), Plane({0, 0, 0}, {0, 1, 0}), p), kRelationCoincident);
}

TEST(PairRelationClass, ASamplePointOnTheOtherSurfaceIsReplaced) {
  // The plane's own point lies on the sphere; its next candidate is outside.
  const SurfaceRecord sphere = Sphere({0, 0, 0}, 1);
  const SurfaceRecord tangent = Plane({0, 0, 1}, {0, 0, 1});
  EXPECT_EQ(PairRelationClass(tangent, sphere, Precision()), kSecondInsideFirst);
  EXPECT_EQ(PairRelationClass(sphere, tangent, Precision()), kFirstInsideSecond);
  // The cone's apex on the plane: the cone's further points decide; the
  // inside of the cone lies on the plane's negative side.
  const SurfaceRecord cone = Cone({0, 0, 0}, {0, 0, 1}, 0.3);
  EXPECT_EQ(PairRelationClass(cone, Plane({0, 0, 0}, {0, 0, -1}), Precision()), kFirstInsideSecond);
  EXPECT_EQ(PairRelationClass(cone, Plane({0, 0, 0}, {0, 0, 1}), Precision()), kNegativeSidesApart);
}

TEST(PairRelationClass, AgreesWithSamplingForSurfacesKeptApart) {
  RandomShapes random(31);
  for (int i = 0; i < 50; ++i) {
    const Vec3 centre = random.Point();
    const double r = random.Uniform(0.5, 2);
    const Vec3 n = random.Direction();
    const std::vector<std::pair<SurfaceRecord, SurfaceRecord>> pairs{
        {Sphere(centre, r), Sphere(centre + 0.3 * r * random.Direction(), 2 * r)},
        {Sphere(centre, r), Sphere(centre + 3 * r * random.Direction(), r)},
        {Sphere(centre, r), Plane(centre + 1.5 * r * n, random.Uniform(0, 1) < 0.5 ? n : -n)},
        {Cylinder(centre, n, r), Sphere(centre + 0.5 * r * random.Perpendicular(n), 0.4 * r)},
        {Cylinder(centre, n, r), Plane(centre + 2 * r * random.Perpendicular(n), n)},
        {Cylinder(centre, n, r), Cylinder(centre + 0.2 * r * random.Perpendicular(n), n, 2 * r)},
        {Cone(centre, n, 0.5), Sphere(centre + 6 * n, 1)},
    };
    for (const auto& [s1, s2] : pairs) {
      const int sampled = SampledRelation(s1, s2, 15);
      if (sampled == 0) continue;  // a plane that happens to cut the other surface
      EXPECT_EQ(PairRelationClass(s1, s2, Precision()), sampled) << i;
    }
  }
}

// Points of a box around the surfaces, and whether each satisfies an entry
// (its surface with a sense) clearly.
struct Regions {
  int inBothOnly = 0, inFirstOnly = 0, inSecondOnly = 0;
};

Regions SampleRegions(const SurfaceRecord& si, int sigmaI, const SurfaceRecord& sj, int sigmaJ) {
  RandomShapes random(99);
  Regions regions;
  for (int k = 0; k < 40000; ++k) {
    const Vec3 x = random.Point(6);
    const double vi = sigmaI * SurfaceSideValue(x, si), vj = sigmaJ * SurfaceSideValue(x, sj);
    if (vi > 1e-9 && vj > 1e-9) ++regions.inBothOnly;
    if (vi > 1e-9 && vj < -1e-9) ++regions.inFirstOnly;
    if (vj > 1e-9 && vi < -1e-9) ++regions.inSecondOnly;
  }
  return regions;
}

void ExpectVerdictMatchesRegions(const SurfaceRecord& si, const SurfaceRecord& sj) {
  for (int sigmaI : {-1, 1}) {
    for (int sigmaJ : {-1, 1}) {
      const PairVerdictResult r = PairVerdict(si, sigmaI, sj, sigmaJ, Precision());
      const Regions regions = SampleRegions(si, sigmaI, sj, sigmaJ);
      const std::string senses = std::to_string(sigmaI) + "," + std::to_string(sigmaJ);
      EXPECT_FALSE(r.undetermined);
      switch (r.verdict) {
        case PairVerdictKind::Empty:
          EXPECT_EQ(regions.inBothOnly, 0) << senses;
          break;
        case PairVerdictKind::FirstRedundant:  // the second region lies in the first
          EXPECT_EQ(regions.inSecondOnly, 0) << senses;
          EXPECT_GT(regions.inBothOnly, 0) << senses;
          break;
        case PairVerdictKind::SecondRedundant:
          EXPECT_EQ(regions.inFirstOnly, 0) << senses;
          EXPECT_GT(regions.inBothOnly, 0) << senses;
          break;
        case PairVerdictKind::KeepBoth:
          EXPECT_GT(regions.inFirstOnly, 0) << senses;
          EXPECT_GT(regions.inSecondOnly, 0) << senses;
          break;
      }
    }
  }
}

TEST(PairVerdict, AgreesWithTheRegionsForEveryRelationClass) {
  ExpectVerdictMatchesRegions(Sphere({0, 0, 0}, 1), Sphere({0.5, 0, 0}, 3));      // class 2
  ExpectVerdictMatchesRegions(Sphere({0.5, 0, 0}, 3), Sphere({0, 0, 0}, 1));      // class 3
  ExpectVerdictMatchesRegions(Sphere({-2, 0, 0}, 1.5), Sphere({2, 0, 0}, 1.5));   // class 1
  ExpectVerdictMatchesRegions(Plane({0, 0, 1}, {0, 0, 1}), Plane({0, 0, -1}, {0, 0, -1}));  // class 4
  ExpectVerdictMatchesRegions(Plane({0, 0, 1}, {0, 0, 1}), Plane({0, 0, -1}, {0, 0, 1}));
  ExpectVerdictMatchesRegions(Cylinder({0, 0, 0}, {0, 1, 0}, 3), Sphere({1, 1, 0}, 1));
  ExpectVerdictMatchesRegions(Cone({0, 0, -5}, {0, 0, 1}, 0.6), Sphere({0, 0, 0}, 1));
}

TEST(PairVerdict, CoincidentEntriesAreEmptyOrRepeated) {
  const SurfaceRecord plane = Plane({0, 0, 0}, {0, 0, 1});
  const SurfaceRecord flipped = Plane({0, 0, 0}, {0, 0, -1});
  const PrecisionSettings p = Precision();
  EXPECT_EQ(PairVerdict(plane, 1, plane, -1, p).verdict, PairVerdictKind::Empty);
  EXPECT_EQ(PairVerdict(plane, 1, plane, 1, p).verdict, PairVerdictKind::FirstRedundant);
  // The same half-space written with the flipped normal.
  EXPECT_EQ(PairVerdict(plane, 1, flipped, -1, p).verdict, PairVerdictKind::FirstRedundant);
  EXPECT_EQ(PairVerdict(plane, 1, flipped, 1, p).verdict, PairVerdictKind::Empty);
  const SurfaceRecord sphere = Sphere({0, 0, 0}, 1);
  EXPECT_EQ(PairVerdict(sphere, -1, sphere, 1, p).verdict, PairVerdictKind::Empty);
  EXPECT_EQ(PairVerdict(sphere, -1, sphere, -1, p).verdict, PairVerdictKind::FirstRedundant);
}

TEST(PairVerdict, MeetingSurfacesKeepBothAndFlagCurvesWithoutParametricForm) {
  const PrecisionSettings p = Precision();
  IntersectionCurve curve;
  const PairVerdictResult circle = PairVerdict(Sphere({0, 0, 0}, 1), -1, Plane({0, 0, 0}, {0, 0, 1}), 1, p, &curve);
  EXPECT_EQ(circle.verdict, PairVerdictKind::KeepBoth);
  EXPECT_FALSE(circle.undetermined);
  EXPECT_EQ(circle.curveType, kCircle);
  EXPECT_EQ(curve.curveType, kCircle);
  const PairVerdictResult general = PairVerdict(Sphere({1, 0, 3}, 1.5), -1, Cone({0, 0, 0}, {0, 0, 1}, 0.5), -1, p);
  EXPECT_EQ(general.verdict, PairVerdictKind::KeepBoth);
  EXPECT_TRUE(general.undetermined);
}

}  // namespace
}  // namespace tessarin::input::kernel
