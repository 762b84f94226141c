// How directives are split into tokens and dispatched: continuation lines,
// comments, the line-length cut, counted keywords, geometry modes, the
// precision settings and unknown directives.

#include <gtest/gtest.h>

#include <string>

#include "reader_fixture.h"

namespace tessarin::input::testing {
namespace {

constexpr const char* kNoCells = "Error: There are no cells defined.\n";

TEST(DirectiveReading, ContinuationJoinsThreeLinesIntoOneDirective) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read("S1 P 0 &\n 0 1 &\n 5\nS2 S 0 0 0 1\n");
  EXPECT_EQ(outcome.console, kNoCells);
  EXPECT_EQ(Surface(reader.model, 1).point.z, 5);
  EXPECT_EQ(reader.model.surfaces.size(), 2u);
}

TEST(DirectiveReading, AmpersandInsideALineWarnsWithTheLineNumberAndDropsTheRest) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read("// header\nS1 P 0 0 1 & 7 8\n 5\n");
  EXPECT_EQ(outcome.console,
            "Warning: The line-continuation character '&' in line No. 2 is not the last character of the line. The "
            "remainder of the line will be ignored.\n" +
                std::string(kNoCells));
  EXPECT_EQ(Surface(reader.model, 1).point.z, 5);
}

TEST(DirectiveReading, CommentsAndBlankLinesAreNotDirectives) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read("   // only a comment\n\n \t \nS1 P 0 0 1 5 // four entries\n");
  EXPECT_EQ(outcome.console, kNoCells);
  EXPECT_EQ(Surface(reader.model, 1).planeConstant, -5);
}

TEST(DirectiveReading, LongLinesAreCutAndTheirRestIsNeverADirective) {
  ReaderFixture reader;
  std::string padding(990, ' ');
  // The 1000-character cut falls inside "12345", so the plane gets D = 12.
  std::string text = "S1 P 0 0 1" + padding.substr(0, 988) + "12345 S2 S 0 0 0 1\nS3 S 0 0 0 2\n";
  ReadOutcome outcome = reader.Read(text);
  EXPECT_EQ(outcome.console.substr(0, outcome.console.find('\n') + 1),
            "Warning: line 1 is longer than 1000 characters; the rest (starting \"345 S2 S 0 0 0 1\") is not read.\n");
  EXPECT_TRUE(outcome.console.ends_with(kNoCells));
  EXPECT_EQ(Surface(reader.model, 1).point.z, 12);
  EXPECT_EQ(reader.model.FindRegularSurface(2), -1);
  EXPECT_GE(reader.model.FindRegularSurface(3), 0);
}

// What a cut line loses is named, unless it is only blanks or a comment.
TEST(DirectiveReading, ACutLineIsReportedWithWhatItLoses) {
  const std::string kept = "S1 P 0 0 1 5" + std::string(988, ' ');
  const struct {
    std::string line;
    std::string lost;  // empty: no warning
  } cases[] = {
      {kept + "   #2 #3", "#2 #3"},
      {kept + "x #2", "x #2"},
      {kept + "\r", ""},
      {kept + std::string(5000, ' ') + "\r", ""},
      {kept + "  // a note", ""},
      {"S1 P 0 0 1 5 // a note" + std::string(990, ' ') + "#2", ""},
      {kept + "y" + std::string(40, 'z') + "\r", "y" + std::string(23, 'z')},
  };
  for (const auto& c : cases) {
    ReaderFixture reader;
    std::string console = reader.Read("\n" + c.line + "\n").console;
    std::string warning = c.lost.empty() ? ""
                                         : "Warning: line 2 is longer than 1000 characters; the rest (starting \"" +
                                               c.lost + "\") is not read.\n";
    EXPECT_EQ(console.substr(0, warning.size()), warning) << c.lost;
    if (c.lost.empty()) {
      EXPECT_EQ(console.find("Warning"), std::string::npos) << console;
    }
  }
}

TEST(DirectiveReading, BinaryDataAndHugeLinesEndWithAMessageNotACrash) {
  ReaderFixture reader;
  std::string binary = "S1 P 0 0 1 5\n";
  for (int i = 0; i < 3000; ++i) binary.push_back(static_cast<char>(i * 37 % 256));
  binary += std::string(200000, 'x') + "\nS";
  ReadOutcome outcome = reader.Read(binary);
  EXPECT_EQ(outcome.status, InputReadStatus::Stopped);
  EXPECT_GE(reader.model.FindRegularSurface(1), 0);
}

TEST(DirectiveReading, ExtraTokensAfterAGeometrySwitchAreIgnored) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read("COMPLEX_GEOMETRY 1 more tokens here\nS1 S 0 0 0 1\n");
  EXPECT_EQ(outcome.console, kNoCells);
  EXPECT_EQ(reader.model.GeometryMode, 1);
}

TEST(DirectiveReading, NegativeSwitchSelectsComplexGeometry) {
  ReaderFixture reader;
  reader.Read("COMPLEX_GEOMETRY -3\n");
  EXPECT_EQ(reader.model.GeometryMode, 3);
}

TEST(DirectiveReading, SecondCountedKeywordStopsAfterItWasHandled) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read("complex_geometry 1\nCOMPLEX_GEOMETRY 2\nS1 S 0 0 0 1\n");
  EXPECT_EQ(outcome.console, "Error: Keyword \"COMPLEX_GEOMETRY\" is used more than once in the input file.\n");
  EXPECT_EQ(reader.model.GeometryMode, 2);
  EXPECT_TRUE(reader.model.surfaces.empty());
}

TEST(DirectiveReading, GeometryModeConflicts) {
  ReaderFixture reader;
  EXPECT_EQ(reader.Read("COMPLEX_GEOMETRY 0\nS1 S 0 0 0 1\n").console,
            "Error: Keyword \"S<n>\" can be used only in complex geometry mode, but the previous directives imply "
            "simple geometry.\n");
  EXPECT_EQ(reader.Read("COMPLEX_GEOMETRY\n").console, "Error: Value of the \"complex geometry\" switch is missing.\n");
  EXPECT_EQ(reader.Read("TR1 0 0 0\nCOMPLEX_GEOMETRY 0\n").console,
            "Error: Setting the simple geometry option is not allowed here, because the previous directives imply "
            "complex geometry.\n");
  EXPECT_EQ(reader.Read("COMPLEX_GEOMETRY 0\nDISTANCE_PRECISION 1e-9\n").console,
            "Error: Keyword \"DISTANCE_PRECISION\" can be used only in complex geometry mode, but the previous "
            "directives imply simple geometry.\n");
  EXPECT_EQ(reader.Read("S1 S 0 0 0 1\nMAT\n").console,
            "Error: Keyword \"MAT\" can be used only in simple geometry mode, but the previous directives imply "
            "complex geometry.\n");
}

TEST(DirectiveReading, PrecisionGivenAtTheEndAppliesToEarlierSurfaces) {
  ReaderFixture reader;
  // Within 1e-9 the two spheres are one; with the default 1e-12 they are not.
  ReadOutcome outcome = reader.Read("S1 S 0 0 0 1\nS2 S 0 0 0 1.0000000001\nDISTANCE_PRECISION 1e-9\n");
  EXPECT_EQ(outcome.console, "Warning: Surfaces 2 and 1 coincide.\n" + std::string(kNoCells));
  EXPECT_EQ(reader.model.precision.distancePrecision, 1e-9);
}

TEST(DirectiveReading, PrecisionSettingsCarryOverToLaterReadsUntilSetAgain) {
  ReaderFixture reader;
  reader.Read("ANGLE_PRECISION 1e-7\nMAXDISTANCE_RATIO 1e8\n");
  reader.Read("S1 S 0 0 0 1\n");
  EXPECT_EQ(reader.model.precision.anglePrecision, 1e-7);
  EXPECT_EQ(reader.model.precision.maxDistanceRatio, 1e8);
  EXPECT_EQ(reader.model.precision.distancePrecision, 1e-12);
  reader.Read("ANGLE_PRECISION 2e-6 trailing text is ignored\n");
  EXPECT_EQ(reader.model.precision.anglePrecision, 2e-6);
}

TEST(DirectiveReading, InvalidPrecisionValuesAreReportedWhereTheyStand) {
  ReaderFixture reader;
  EXPECT_EQ(reader.Read("S1 S 0 0 0 1\nDISTANCE_PRECISION -1\nS2 S 0 0 0 2\n").console,
            "Error: Illegal value \"-1\" of the distance precision (it must be positive).\n");
  EXPECT_EQ(reader.model.surfaces.size(), 1u);
  EXPECT_EQ(reader.model.precision.distancePrecision, 1e-12);
  EXPECT_EQ(reader.Read("ANGLE_PRECISION 1e-4\n").console,
            "Error: Illegal value \"1e-4\" of the angle precision (it must be positive and less than 1e-5).\n");
  EXPECT_EQ(reader.Read("MAXDISTANCE_RATIO abc\n").console,
            "Error: Illegal value \"abc\" of the ratio of the maximum distance and the distance precision (it must be "
            "between 1e6 and 1e24).\n");
  EXPECT_EQ(reader.Read("DISTANCE_PRECISION inf\n").console,
            "Error: Illegal value \"inf\" of the distance precision (it must be positive).\n");
  EXPECT_EQ(reader.Read("ANGLE_PRECISION\n").console, "Error: Angle precision value is missing.\n");
}

TEST(DirectiveReading, UnknownDirectivesAreSkippedWithTheirContinuationLines) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read("TALLY 1 2 &\n S1 P 0 0 1 5\nS0 P 0 0 1 1\nPHYSICS on\n");
  EXPECT_EQ(outcome.console, kNoCells);
  EXPECT_TRUE(reader.model.surfaces.empty());
}

TEST(DirectiveReading, PrefixedIdentifiersAreNumbersBelowTwoToThe31) {
  ReaderFixture reader;
  reader.Read("S1e3 S 0 0 0 1\nS2147483647 S 0 0 0 2\n");
  EXPECT_GE(reader.model.FindRegularSurface(1000), 0);
  EXPECT_GE(reader.model.FindRegularSurface(2147483647), 0);
  EXPECT_EQ(reader.Read("S2147483648 S 0 0 0 1\n").console,
            "Error in specification of the surface \"S2147483648\" (the first keyword format must be \"S<n>\", where "
            "\"<n>\" is a positive integer number less than 2^31 = 2147483648).\n");
  EXPECT_TRUE(Contains(reader.Read("TR1x 0 0 0\n").console,
                       "Error in specification of the coordinate transformation \"TR1x\": the first keyword format"));
}

TEST(DirectiveReading, AFileWithoutCellsEndsWithTheNoCellsError) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read("");
  EXPECT_EQ(outcome.status, InputReadStatus::Stopped);
  EXPECT_EQ(outcome.console, kNoCells);
  EXPECT_FALSE(reader.model.loaded);
}

TEST(DirectiveReading, ASecondReadRebuildsTheSameTables) {
  ReaderFixture reader;
  const std::string text = "TR1 1 2 3 30 0\nS1 1 RPP 0 1 0 1 0 1\nS2 P 1 0 0 0.5\n";
  reader.Read(text);
  GeometryModel first = reader.model;
  reader.Read(text);
  ASSERT_EQ(reader.model.surfaces.size(), first.surfaces.size());
  for (std::size_t i = 0; i < first.surfaces.size(); ++i) {
    EXPECT_EQ(reader.model.surfaces[i].point, first.surfaces[i].point);
    EXPECT_EQ(reader.model.surfaces[i].owner, first.surfaces[i].owner);
  }
  EXPECT_EQ(reader.model.macrobodies.size(), first.macrobodies.size());
  EXPECT_EQ(reader.model.transformations.size(), 1u);
}

TEST(DirectiveReading, MissingFileIsReportedForAMessageBox) {
  GeometryModel model;
  settings::VIEWPARM set = settings::DefaultParameterSet();
  set.InputFileFolder = "/nonexistent-folder/";
  set.InputFN = "missing.txt";
  platform::ScriptedConsole console;
  UnavailableUserCodeEngine engine;
  InputReadResult result = ReadInputFile({set, {"/", 1}, console, model, engine});
  EXPECT_EQ(result.status, InputReadStatus::OpenFailed);
  EXPECT_EQ(result.message, "File \"/nonexistent-folder/missing.txt\" could not be opened for reading.");
  EXPECT_EQ(console.openCount, 0);
}

}  // namespace
}  // namespace tessarin::input::testing
