// Regular surfaces, standard macrobodies and their copies: geometry,
// coincidence, sharing and take-over of facets, and the messages for bad
// entries.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "reader_fixture.h"

namespace tessarin::input::testing {
namespace {

constexpr const char* kNoCells = "Error: There are no cells defined.\n";

void ExpectNear(const Vec3& actual, const Vec3& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-12);
  EXPECT_NEAR(actual.y, expected.y, 1e-12);
  EXPECT_NEAR(actual.z, expected.z, 1e-12);
}

TEST(RegularSurfaces, PlaneFromCoefficientsAndItsReversedTwin) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read("S1 P 0 0 1 5\nS2 P 0 0 -1 -5\n");
  EXPECT_EQ(outcome.console, "Warning: Surfaces 2 and 1 coincide.\n" + std::string(kNoCells));
  const SurfaceRecord& s1 = Surface(reader.model, 1);
  ExpectNear(s1.point, {0, 0, 5});
  ExpectNear(s1.direction, {0, 0, 1});
  EXPECT_EQ(s1.planeConstant, -5);
  ExpectNear(Surface(reader.model, 2).direction, {0, 0, -1});
  EXPECT_EQ(reader.model.surfaces.size(), 2u);
}

TEST(RegularSurfaces, PlaneFromThreePointsPutsTheOriginOnTheNegativeSide) {
  ReaderFixture reader;
  reader.Read("S1 P 1 0 0 0 1 0 0 0 1\nS2 P 0 0 1 0 1 0 1 0 0\n");
  Vec3 expected = Unit({1, 1, 1});
  ExpectNear(Surface(reader.model, 1).direction, expected);
  ExpectNear(Surface(reader.model, 2).direction, expected);
  EXPECT_LT(Surface(reader.model, 1).planeConstant, 0);
}

TEST(RegularSurfaces, PlaneThroughTheOriginIsTurnedByZThenYThenX) {
  ReaderFixture reader;
  reader.Read(
      "S1 P 0 0 0 0 1 0 1 0 0\n"    // z = 0, points give -z
      "S2 P 0 0 0 0 0 1 1 1 0\n"    // normal along (-1, 1, 0): y decides
      "S3 P 0 0 0 1 1 0 0 0 1\n"    // the same plane, points the other way round
      "S4 P 0 0 0 0 0 1 0 1 0\n");  // x = 0, points give -x
  ExpectNear(Surface(reader.model, 1).direction, {0, 0, 1});
  ExpectNear(Surface(reader.model, 2).direction, Unit({-1, 1, 0}));
  ExpectNear(Surface(reader.model, 3).direction, Unit({-1, 1, 0}));
  ExpectNear(Surface(reader.model, 4).direction, {1, 0, 0});
}

TEST(RegularSurfaces, SpheresCylindersAndCones) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read("S1 S 1 2 3 4\nS2 CY 0 0 0 0 0 2 1.5\nS3 CO 0 0 1 0 0 -3 45\n");
  EXPECT_EQ(outcome.console, kNoCells);
  EXPECT_EQ(Surface(reader.model, 1).radius, 4);
  ExpectNear(Surface(reader.model, 2).direction, {0, 0, 1});
  const SurfaceRecord& cone = Surface(reader.model, 3);
  ExpectNear(cone.direction, {0, 0, -1});
  EXPECT_NEAR(cone.halfAngle, std::atan(1.0), 1e-15);
  EXPECT_NEAR(cone.tanHalfAngle, 1, 1e-15);
}

TEST(RegularSurfaces, EntryErrors) {
  ReaderFixture reader;
  EXPECT_EQ(reader.Read("S1 P 0 0 0 5\n").console,
            "Error in specification of the plane \"S1\": all components of the direction vector are zero.\n");
  EXPECT_EQ(reader.Read("S1 P 1 2\n").console,
            "Error: The number of entries in the definition of the plane \"S1\" is less than 4.\n");
  EXPECT_EQ(reader.Read("S1 P 1 2 3 4 5\n").console,
            "Error: Incorrect number of entries in the definition of the plane \"S1\" (it must be 4, 6 or 9).\n");
  EXPECT_EQ(reader.Read("S1 P 1 2 3 4 5 6 7 8 9 10\n").console,
            "Error: The number of entries in the definition of the plane \"S1\" is greater than 9.\n");
  EXPECT_EQ(reader.Read("S1 S 0 0 0 -1\n").console,
            "Error in specification of the sphere \"S1\": radius is not a positive number (-1).\n");
  EXPECT_EQ(reader.Read("S1 CY 0 0 0 0 0 0 1\n").console,
            "Error in specification of the cylinder \"S1\": all components of the direction vector are zero.\n");
  EXPECT_EQ(reader.Read("S1 S 0 0 x 1\n").console,
            "Error in specification of the sphere \"S1\": incorrect number format \"x\".\n");
  EXPECT_EQ(reader.Read("S1 P 0 0 0 1 0 0 2 0 0\n").console,
            "Error in specification of the plane \"S1\": the three points are collinear.\n");
  EXPECT_EQ(reader.Read("S1 P 0 0 0 0 0 0 1 0 0\n").console,
            "Error: Distance between points No. 1 and No. 2 in the definition of the plane \"S1\" is less than 1e-12 "
            "cm.\n");
  EXPECT_EQ(reader.Read("S1 CO 0 0 0 0 0 1 90\n").console,
            "Error in specification of the cone \"S1\": incorrect angle 90 (it must be between 5.72957795130823e-11 "
            "and 89.9999999999427).\n");
  EXPECT_EQ(reader.Read("S1 XYZ 1\n").console,
            "Error in specification of the surface \"S1\": the surface type must be \"P\", \"S\", \"CY\", \"CO\", "
            "\"MB\", \"RCC\", \"TRC\", \"BOX\", \"RPP\", \"RHP\", \"HEX\", \"WED\", \"ARB4\" or \"ARB\".\n");
  EXPECT_EQ(reader.Read("S1\n").console, "Error: Missing specification of a surface.\n");
}

TEST(RegularSurfaces, DuplicateIdentifiersOfSurfacesAndMacrobodies) {
  ReaderFixture reader;
  EXPECT_EQ(reader.Read("S1 P 0 0 1 1\nS1 S 0 0 0 1\n").console, "Error: Duplicate surface identifier \"S1\".\n");
  EXPECT_EQ(reader.Read("S4 RPP 0 1 0 1 0 1\nS4 P 0 0 1 7\n").console, "Error: Duplicate surface identifier \"S4\".\n");
  // A facet number is no identifier of the file.
  EXPECT_EQ(reader.Read("S4 RPP 0 1 0 1 0 1\nS2 P 0 0 1 7\n").console, kNoCells);
}

TEST(Macrobodies, LaterPlaneTakesOverAFacetKeepingItsSense) {
  ReaderFixture reader;
  reader.Read("S5 RPP 0 1 0 1 0 1\nS6 P 1 0 0 1\n");
  EXPECT_EQ(reader.model.surfaces.size(), 6u);
  const SurfaceRecord& s6 = Surface(reader.model, 6);
  EXPECT_EQ(&s6, &reader.model.surfaces[Macrobody(reader.model, 5).facetSurfaces[0]]);
  ExpectNear(s6.direction, {1, 0, 0});
  EXPECT_EQ(Macrobody(reader.model, 5).facetSenses[0], -1);
}

TEST(Macrobodies, TakeOverWithFlipTurnsTheSensesOfEveryUser) {
  ReaderFixture reader;
  reader.Read("S5 RPP 0 1 0 1 0 1\nS7 RPP 1 2 0 1 0 1\nS6 P -1 0 0 -1\n");
  const MacrobodyRecord& s5 = Macrobody(reader.model, 5);
  const MacrobodyRecord& s7 = Macrobody(reader.model, 7);
  ASSERT_EQ(s5.facetSurfaces[0], s7.facetSurfaces[1]);
  const SurfaceRecord& s6 = Surface(reader.model, 6);
  ExpectNear(s6.direction, {-1, 0, 0});
  EXPECT_EQ(s6.planeConstant, 1);
  EXPECT_EQ(s6.owner, -1);
  EXPECT_EQ(s5.facetSenses[0], 1);
  EXPECT_EQ(s7.facetSenses[1], -1);
}

TEST(Macrobodies, IdenticalCylindersWarnAndShareTheirFacets) {
  ReaderFixture reader;
  ReadOutcome outcome =
      reader.Read("S1 RCC 0 0 0 0 0 2 1\nS2 RCC 0 0 0 0 0 2 1\nS3 RCC 0 0 2 0 0 -2 1\n");
  EXPECT_EQ(outcome.console,
            "Warning: Surfaces 2 and 1 coincide.\nWarning: Surfaces 3 and 1 coincide.\n" + std::string(kNoCells));
  const MacrobodyRecord& s1 = Macrobody(reader.model, 1);
  EXPECT_EQ(Macrobody(reader.model, 2).facetSurfaces, s1.facetSurfaces);
  EXPECT_EQ(reader.model.surfaces.size(), 3u);
  EXPECT_EQ(reader.model.surfaces[s1.facetSurfaces[1]].useCount, 3);
  const MacrobodyRecord& s3 = Macrobody(reader.model, 3);
  EXPECT_EQ(s3.facetSurfaces[1], s1.facetSurfaces[2]);
  EXPECT_EQ(s3.facetSenses[1], -1);
}

TEST(Macrobodies, CylinderAndTruncatedConeFacets) {
  ReaderFixture reader;
  reader.Read("S1 RCC 0 0 0 0 0 2 1\nS2 TRC 0 0 0 0 0 2 2 1\nS3 TRC 0 0 0 0 0 2 1 2\n");
  const GeometryModel& model = reader.model;
  const MacrobodyRecord& rcc = Macrobody(model, 1);
  ExpectNear(model.surfaces[rcc.facetSurfaces[1]].point, {0, 0, 2});
  ExpectNear(model.surfaces[rcc.facetSurfaces[2]].direction, {0, 0, -1});
  const SurfaceRecord& narrowing = model.surfaces[Macrobody(model, 2).facetSurfaces[0]];
  ExpectNear(narrowing.point, {0, 0, 4});
  ExpectNear(narrowing.direction, {0, 0, -1});
  EXPECT_NEAR(narrowing.tanHalfAngle, 0.5, 1e-15);
  const SurfaceRecord& widening = model.surfaces[Macrobody(model, 3).facetSurfaces[0]];
  ExpectNear(widening.point, {0, 0, -2});
  ExpectNear(widening.direction, {0, 0, 1});
}

TEST(Macrobodies, RppRotatedByAQuarterTurnStaysAnRppWithSwappedBounds) {
  ReaderFixture reader;
  reader.Read("TR1 0 0 0 0 1 0 -1 0 0\nS1 1 RPP 0 1 0 2 0 3\n");
  const MacrobodyRecord& body = Macrobody(reader.model, 1);
  EXPECT_EQ(body.kind, MacrobodyKind::RPP);
  std::vector<double> expected{-2, 0, 0, 1, 0, 3};
  ASSERT_EQ(body.parameters.size(), 6u);
  for (int k = 0; k < 6; ++k) EXPECT_NEAR(body.parameters[k], expected[k], 1e-12) << k;
}

TEST(Macrobodies, RppRotatedBy30DegreesBecomesABox) {
  ReaderFixture reader;
  reader.Read("TR2 0 0 0 0.8660254037844386 0.5 0 -0.5 0.8660254037844386 0\nS1 2 RPP 0 1 0 2 0 3\n");
  const MacrobodyRecord& body = Macrobody(reader.model, 1);
  EXPECT_EQ(body.kind, MacrobodyKind::BOX);
  double c = std::sqrt(3.0) / 2;
  std::vector<double> expected{0, 0, 0, c, 0.5, 0, -1, 2 * c, 0, 0, 0, 3};
  ASSERT_EQ(body.parameters.size(), 12u);
  for (int k = 0; k < 12; ++k) EXPECT_NEAR(body.parameters[k], expected[k], 1e-12) << k;
}

TEST(Macrobodies, BoxFacetNormalsPointOutOfTheBody) {
  ReaderFixture reader;
  reader.Read("S1 BOX 1 1 1 0 0 -1 0 2 0 3 0 0\n");
  const GeometryModel& model = reader.model;
  const MacrobodyRecord& box = Macrobody(model, 1);
  Vec3 centre{2.5, 2, 0.5};
  ASSERT_EQ(box.facetCount(), 6);
  for (int k = 0; k < 6; ++k) {
    const SurfaceRecord& facet = model.surfaces[box.facetSurfaces[k]];
    EXPECT_LT(Dot(facet.direction, centre) + facet.planeConstant, 0) << "facet " << k + 1;
  }
  ExpectNear(model.surfaces[box.facetSurfaces[0]].direction, {0, 0, -1});
}

// Every facet of `body` has the centre on its inner side.
void ExpectCentreInside(const GeometryModel& model, const MacrobodyRecord& body, const Vec3& centre) {
  for (int k = 0; k < body.facetCount(); ++k) {
    const SurfaceRecord& facet = model.surfaces[body.facetSurfaces[k]];
    ASSERT_EQ(facet.kind, SurfaceKind::Plane);
    double side = Dot(facet.direction, centre) + facet.planeConstant;
    EXPECT_LT(side * -body.facetSenses[k], 0) << "facet " << k + 1 << " of S" << body.id;
  }
}

TEST(Macrobodies, PrismWedgeAndPolyhedraEncloseTheirCentres) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read(
      "S1 RHP 0 0 0 0 0 2 1 0 0\n"
      "S2 HEX 5 0 0 0 0 2 0 1 0\n"
      "S3 WED 0 0 10 2 0 0 0 2 0 0 0 1\n"
      "S4 ARB4 0 0 20 1 0 20 0 1 20 0 0 21\n"
      "S5 ARB 0 0 30 1 0 30 1 1 30 0 1 30 0 0 31 1 0 31 1 1 31 0 1 31 1234 5678 1265 2376 3487 4158\n");
  EXPECT_EQ(outcome.console, kNoCells);
  const GeometryModel& model = reader.model;
  EXPECT_EQ(Macrobody(model, 1).facetCount(), 8);
  ExpectNear(model.surfaces[Macrobody(model, 1).facetSurfaces[0]].point, {1, 0, 0});
  ExpectNear(model.surfaces[Macrobody(model, 1).facetSurfaces[2]].direction, {0.5, std::sqrt(3.0) / 2, 0});
  ExpectCentreInside(model, Macrobody(model, 1), {0, 0, 1});
  ExpectCentreInside(model, Macrobody(model, 2), {5, 0, 1});
  ExpectCentreInside(model, Macrobody(model, 3), {0.5, 0.5, 10.5});
  ExpectCentreInside(model, Macrobody(model, 4), {0.2, 0.2, 20.2});
  ExpectCentreInside(model, Macrobody(model, 5), {0.5, 0.5, 30.5});
  EXPECT_EQ(Macrobody(model, 4).parameters.size(), 12u);
  EXPECT_EQ(Macrobody(model, 5).facetCount(), 6);
}

TEST(Macrobodies, PolyhedronFaceCodes) {
  ReaderFixture reader;
  const std::string vertices = "S5 ARB 0 0 0 1 0 0 1 1 0 0 1 0 0 0 1 1 0 1 1 1 1 0 1 1 ";
  const std::string cube = vertices + "1234 5678 1265 2376 3487 ";
  EXPECT_EQ(reader.Read(cube + "4158\n").console, kNoCells);
  const std::string invalid =
      " (entries No. 25 - 30 that are not zero must be integers in the range from 1230 to 8765, with all digits "
      "different and less than 9 and the first three digits non-zero).\n";
  for (const char* code : {"1224", "1290", "1034"})
    EXPECT_EQ(reader.Read(cube + code + "\n").console,
              "Error in specification of the polyhedron \"S5\": invalid entry " + std::string(code) + invalid);
  EXPECT_EQ(reader.Read(cube + "9999\n").console,
            "Error in specification of the polyhedron \"S5\": invalid entry 9999" + invalid);
  EXPECT_EQ(reader.Read(vertices + "1234 5678 1265 0 0 0\n").console,
            "Error in specification of the polyhedron \"S5\": the number of planes is less than 4.\n");
}

TEST(Macrobodies, EntryErrors) {
  ReaderFixture reader;
  EXPECT_EQ(reader.Read("S1 TRC 0 0 0 0 0 1 1 1.0000000000001\n").console,
            "Error in specification of the truncated right-angle cone \"S1\": radii of both bases are equal.\n");
  EXPECT_EQ(reader.Read("S1 RCC 0 0 0 0 0 0 1\n").console,
            "Error in specification of the right circular cylinder \"S1\": the norm of the height vector is less "
            "than 1e-12 cm.\n");
  EXPECT_EQ(reader.Read("S1 BOX 0 0 0 1 0 0 0 1 0 0 2 0\n").console,
            "Error in specification of the box \"S1\": edges No. 2 and No. 3 are collinear.\n");
  EXPECT_EQ(reader.Read("S1 BOX 0 0 0 1 0 0 0 1 0 1 1 0\n").console,
            "Error in specification of the box \"S1\": all three edges are coplanar.\n");
  EXPECT_EQ(reader.Read("S1 BOX 0 0 0 0 0 0 0 1 0 0 0 1\n").console,
            "Error in specification of the box \"S1\": the norm of the edge vector No. 1 is less than 1e-12 cm.\n");
  EXPECT_EQ(reader.Read("S1 RPP 0 1 2 2 0 1\n").console,
            "Error: The size of the rectangular parallelepiped \"S1\" is less than 1e-12 cm.\n");
  EXPECT_EQ(reader.Read("S1 RHP 0 0 0 0 0 1 1 0 1\n").console,
            "Error: Vectors defined by the second and third triplets of entries in specification of right hexagonal "
            "prism \"S1\" are not orthogonal.\n");
  EXPECT_EQ(reader.Read("S1 ARB4 0 0 0 1 0 0 0 1 0 1 1 0\n").console,
            "Error in specification of the four-sided polyhedron \"S1\": all vertices belong to the same plane.\n");
  EXPECT_EQ(reader.Read("S1 RCC 0 0 0 0 0 1 0\n").console,
            "Error in specification of the right circular cylinder \"S1\": radius is not a positive number (0).\n");
  EXPECT_EQ(reader.Read("S1 MB 1 2\n").status, InputReadStatus::Stopped);
  EXPECT_EQ(reader.Read("TR1 0 0 0\nS1 1 MB -2 -3\n").console,
            "Error: An attempt to define general macrobody \"S1\" in an auxiliary coordinate system (this is allowed "
            "only for regular surfaces and standard macrobodies).\n");
}

TEST(Copies, RegularSurfacesAndMacrobodiesMovedByATransformation) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read(
      "TR1 5 0 0\nS1 S 1 0 0 1\nS2 1 1\nS3 RPP 0 1 0 1 0 1\nS4 1 3\nS5 1 4\n"
      "TR2 0 0 0 0.8660254037844386 0.5 0 -0.5 0.8660254037844386 0\nS6 2 3\nS7 1 TRC 0 0 0 0 0 2 2 1\nS8 1 7\n");
  EXPECT_EQ(outcome.console, kNoCells);
  const GeometryModel& model = reader.model;
  ExpectNear(Surface(model, 2).point, {6, 0, 0});
  const MacrobodyRecord& s5 = Macrobody(model, 5);
  EXPECT_EQ(s5.kind, MacrobodyKind::RPP);
  std::vector<double> expected{10, 11, 0, 1, 0, 1};
  for (int k = 0; k < 6; ++k) EXPECT_NEAR(s5.parameters[k], expected[k], 1e-12);
  EXPECT_EQ(Macrobody(model, 6).kind, MacrobodyKind::BOX);
  const SurfaceRecord& cone = model.surfaces[Macrobody(model, 8).facetSurfaces[0]];
  ExpectNear(cone.point, {10, 0, 4});
}

TEST(Copies, CopyErrors) {
  ReaderFixture reader;
  EXPECT_EQ(reader.Read("TR1 0 0 0\nS1 S 0 0 0 1\nS2 1 99\n").console,
            "Error in specification of surface \"S2\": Unknown identifier of the original surface 99.\n");
  EXPECT_EQ(reader.Read("TR1 0 0 0\nS1 S 0 0 0 1\nS2 1 1 7\n").console,
            "Error in specification of surface \"S2\": Extra entries after the identifier of the original surface 1.\n");
  EXPECT_EQ(reader.Read("TR1 0 0 0\nS2 1 0.2\n").console,
            "Error in specification of surface \"S2\": Invalid identifier of the original surface \"0.2\".\n");
  EXPECT_EQ(reader.Read("S2 3 S 0 0 0 1\n").console,
            "Error in specification of surface \"S2\": Unknown coordinate transformation \"3\".\n");
  EXPECT_EQ(reader.Read("S2 -3 S 0 0 0 1\n").console,
            "Error in specification of surface \"S2\": Invalid identifier of coordinate transformation \"-3\".\n");
}

}  // namespace
}  // namespace tessarin::input::testing
