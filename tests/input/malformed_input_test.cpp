// Random and malformed directives: every read ends (no crash, no hang), and
// whatever was stored keeps the model's invariants.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "reader_fixture.h"

namespace tessarin::input::testing {
namespace {

const std::vector<std::string> kWords = {
    "S1", "S2", "S3", "S2147483647", "S2147483648", "S0", "S1.5", "S-1", "TR1", "TR2", "*TR3", "TR1e9", "P", "S",
    "CY", "CO", "RCC", "TRC", "BOX", "RPP", "RHP", "HEX", "WED", "ARB4", "ARB", "MB", "1", "2", "0", "-1", "0.5",
    "1e308", "-1e308", "1e999", "nan", "inf", "-0", "90", "720", "1234", "5678", "1265", "2376", "3487", "4158",
    "&", "//", "x&y", "COMPLEX_GEOMETRY", "DISTANCE_PRECISION", "ANGLE_PRECISION", "1e-9", "\"", "#", "\x01\xff",
    "PROGRAM", "END", "ARRAYS", "TR1", "1e-13", "3", "-3", "6", "1.0000000000001"};

// A few valid directives that later ones can refer to, then random lines.
std::string RandomFile(std::mt19937& random) {
  std::uniform_int_distribution<std::size_t> word(0, kWords.size() - 1);
  std::uniform_int_distribution<int> length(0, 34);
  std::string text = "TR1 0 0 0 30 0\nS3 RPP 0 1 0 1 0 1\nS4 P 1 0 0 1\n";
  for (int line = 0; line < 3; ++line) {
    int words = length(random);
    for (int w = 0; w < words; ++w) text += kWords[word(random)] + (random() % 7 == 0 ? "\t" : " ");
    text += random() % 5 == 0 ? "\r\n" : "\n";
  }
  return text;
}

void ExpectModelInvariants(const GeometryModel& model) {
  for (const SurfaceRecord& s : model.surfaces) {
    ASSERT_TRUE(std::isfinite(s.point.x) && std::isfinite(s.point.y) && std::isfinite(s.point.z));
    if (s.kind != SurfaceKind::Sphere) {
      ASSERT_NEAR(Norm(s.direction), 1, 1e-9);
    }
    if (s.kind == SurfaceKind::Plane) {
      ASSERT_NEAR(s.planeConstant, -Dot(s.direction, s.point), 1e-9 * (1 + Norm(s.point)));
    }
  }
  for (const MacrobodyRecord& m : model.macrobodies) {
    ASSERT_EQ(m.facetSurfaces.size(), m.facetSenses.size());
    for (std::size_t k = 0; k < m.facetSurfaces.size(); ++k) {
      ASSERT_LT(m.facetSurfaces[k], model.surfaces.size());
      ASSERT_TRUE(m.facetSenses[k] == 1 || m.facetSenses[k] == -1);
    }
  }
}

TEST(MalformedInput, RandomDirectivesEndWithAMessageAndKeepTheModelSound) {
  std::mt19937 random(20261209);
  ReaderFixture reader;
  for (int file = 0; file < 800; ++file) {
    std::string text = RandomFile(random);
    ReadOutcome outcome = reader.Read(text);
    ASSERT_EQ(outcome.status, InputReadStatus::Stopped) << text;
    ASSERT_FALSE(outcome.console.empty()) << text;
    ExpectModelInvariants(reader.model);
  }
}

TEST(MalformedInput, EntriesThatOverflowOrAreNotFiniteAreRefused) {
  ReaderFixture reader;
  EXPECT_EQ(reader.Read("S1 S 0 0 0 1e999\n").console,
            "Error in specification of the sphere \"S1\": incorrect number format \"1e999\".\n");
  EXPECT_EQ(reader.Read("S1 P nan 0 1 0\n").console,
            "Error in specification of the plane \"S1\": incorrect number format \"nan\".\n");
  EXPECT_EQ(reader.Read("TR1 inf 0 0\n").console,
            "Error in specification of the coordinate transformation \"TR1\": incorrect number format \"inf\".\n");
}

TEST(MalformedInput, ManySurfacesStopAtTheCapacity) {
  ReaderFixture reader;
  std::string text;
  for (int i = 1; i <= kMaxSurfaces + 1; ++i) text += "S" + std::to_string(i) + " S 0 0 0 " + std::to_string(i) + "\n";
  ReadOutcome outcome = reader.Read(text);
  EXPECT_EQ(outcome.console, "Error: The number of surfaces is greater than 10000.\n");
  EXPECT_EQ(reader.model.surfaces.size(), static_cast<std::size_t>(kMaxSurfaces));
}

}  // namespace
}  // namespace tessarin::input::testing
