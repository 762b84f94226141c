// TR<n> and *TR<n>: the forms of the axes, the derived Y' axis, the checks
// and the composition with a primary transformation.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "reader_fixture.h"

namespace tessarin::input::testing {
namespace {

constexpr const char* kNoCells = "Error: There are no cells defined.\n";

struct Axes {
  Vec3 x, y, z;
};

Axes AxesOf(const GeometryModel& model, int id) {
  int index = model.FindTransformation(id);
  EXPECT_GE(index, 0) << "no transformation " << id;
  if (index < 0) return {};
  const auto& m = model.transformations[static_cast<std::size_t>(index)].matrix;
  return {{m[0], m[3], m[6]}, {m[1], m[4], m[7]}, {m[2], m[5], m[8]}};
}

void ExpectNear(const Vec3& actual, const Vec3& expected, double tolerance = 1e-12) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(Transformations, ThreeEntriesAreAPureTranslation) {
  ReaderFixture reader;
  EXPECT_EQ(reader.Read("TR4 1 2 3\n").console, kNoCells);
  const TransformRecord& t = reader.model.transformations.at(0);
  EXPECT_EQ(t.id, 4);
  EXPECT_EQ(t.origin, (Vec3{1, 2, 3}));
  EXPECT_EQ(t.matrix, (std::array<double, 9>{1, 0, 0, 0, 1, 0, 0, 0, 1}));
}

TEST(Transformations, DerivedYAxis) {
  ReaderFixture reader;
  reader.Read("TR1 0 0 0 0 1 0\nTR2 0 0 0 1 1 0\nTR3 0 0 0 90 0\n");
  Axes first = AxesOf(reader.model, 1);
  ExpectNear(first.y, {0, 0, 1});
  ExpectNear(first.z, {1, 0, 0});
  Axes second = AxesOf(reader.model, 2);
  double h = std::sqrt(0.5);
  ExpectNear(second.x, {h, h, 0});
  ExpectNear(second.y, {h, -h, 0});
  ExpectNear(second.z, {0, 0, -1});
  ExpectNear(AxesOf(reader.model, 3).x, {0, 1, 0});
}

TEST(Transformations, NonOrthogonalYAxisIsTurnedWithAWarning) {
  ReaderFixture reader;
  EXPECT_EQ(reader.Read("TR7 0 0 0 1 0 0 1 1 0\n").console,
            "Warning: the unit vectors of the coordinate transformation \"TR7\" are not orthogonal. The Y' unit vector "
            "will be rotated so that it is orthogonal to the X' unit vector.\n" +
                std::string(kNoCells));
  ExpectNear(AxesOf(reader.model, 7).y, {0, 1, 0});
}

TEST(Transformations, AngleForms) {
  ReaderFixture reader;
  EXPECT_EQ(reader.Read("*TR1 0 0 0 0 90 90\nTR2 0 0 0 30 -90\nTR3 0 0 0 0 0 90 0\nTR4 0 0 0 0 0 0 1 0\n").console,
            kNoCells);
  ExpectNear(AxesOf(reader.model, 1).x, {1, 0, 0});
  ExpectNear(AxesOf(reader.model, 2).x, {0, 0, -1});
  ExpectNear(AxesOf(reader.model, 3).y, {0, 1, 0});
  ExpectNear(AxesOf(reader.model, 4).y, {0, 1, 0});
  EXPECT_EQ(reader.Read("*TR1 0 0 0 0 0 90\n").console,
            "Error in specification of the coordinate transformation \"TR1\": the norm of unit vector No. 1 is not "
            "equal to 1.\n");
  EXPECT_EQ(reader.Read("*TR1 0 0 0 0 90 721\n").console,
            "Error in specification of the coordinate transformation \"TR1\": invalid angle 721 (it must be between "
            "-720 and +720 degrees).\n");
  EXPECT_EQ(reader.Read("TR1 0 0 0 721 0\n").console,
            "Error in specification of the coordinate transformation \"TR1\": invalid azimuth angle 721 (it must be "
            "between -720 and +720 degrees).\n");
  EXPECT_EQ(reader.Read("TR1 0 0 0 0 -90.5\n").console,
            "Error in specification of the coordinate transformation \"TR1\": invalid elevation angle -90.5 (it must "
            "be between -90 and 90 degrees).\n");
}

TEST(Transformations, PrimaryTransformationComposesWithTheNewOne) {
  ReaderFixture reader;
  EXPECT_EQ(reader.Read("TR1 1 0 0 0 1 0 -1 0 0\nTR2 TR1 1 0 0 1 0 0\n").console, kNoCells);
  const TransformRecord& t = reader.model.transformations.at(1);
  ExpectNear(t.origin, {1, 1, 0});
  ExpectNear(AxesOf(reader.model, 2).x, {0, 1, 0});
  ExpectNear(AxesOf(reader.model, 2).y, {-1, 0, 0});
  // A surface given in TR2 lands where both transformations put it.
  reader.Read("TR1 1 0 0 0 1 0 -1 0 0\nTR2 TR1 1 0 0 1 0 0\nS1 2 S 1 0 0 1\n");
  ExpectNear(Surface(reader.model, 1).point, {1, 2, 0});
}

TEST(Transformations, Errors) {
  ReaderFixture reader;
  EXPECT_EQ(reader.Read("TR1 0 0 0\nTR1 1 1 1\n").console,
            "Error: Duplicate coordinate transformation identifier \"TR1\".\n");
  EXPECT_EQ(reader.Read("TR1\n").console, "Error: Missing specification of a coordinate transformation.\n");
  EXPECT_EQ(reader.Read("TR2 TR1 0 0 0\n").console,
            "Error: Unknown identifier of the primary coordinate transformation \"TR1\" in the definition of the "
            "coordinate transformation \"TR2\".\n");
  EXPECT_EQ(reader.Read("TR1 0 0 0\nTR2 TR1\n").console,
            "Error: Missing specification of a coordinate transformation.\n");
  EXPECT_EQ(reader.Read("TR2 TR1.7x 0 0 0\n").console,
            "Error in specification of the coordinate transformation \"TR2\": the identifier of the primary coordinate "
            "transformation must be \"TR<n>\", where \"<n>\" is a positive integer number less than 2^31 = "
            "2147483648.\n");
  EXPECT_EQ(reader.Read("TR1 0 0 0 1\n").console,
            "Error in specification of the coordinate transformation \"TR1\": incorrect number of numerical entries "
            "(it must be 3, 5, 6, 7, 8 or 9).\n");
  EXPECT_EQ(reader.Read("TR1 0 0 0 1 0 0 0 1 0 5\n").console,
            "Error in specification of the coordinate transformation \"TR1\": incorrect number of numerical entries "
            "(it must be 3, 5, 6, 7, 8 or 9).\n");
  EXPECT_EQ(reader.Read("TR1 0 0 zero\n").console,
            "Error in specification of the coordinate transformation \"TR1\": incorrect number format \"zero\".\n");
  EXPECT_EQ(reader.Read("TR1 0 0 0 0 0 0\n").console,
            "Error in specification of the coordinate transformation \"TR1\": the norm of unit vector No. 1 is less "
            "than 1e-12.\n");
  EXPECT_EQ(reader.Read("TR1 0 0 0 1 0 0 2 0 0\n").console,
            "Error in specification of the coordinate transformation \"TR1\": the unit vectors of the auxiliary "
            "coordinate system are collinear.\n");
}

}  // namespace
}  // namespace tessarin::input::testing
