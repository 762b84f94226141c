// The RT script of small input files: units, the world, the cells'
// combinations and primitives, regions and colours, and the command's
// questions and messages.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "platform/windows_clipboard.h"
#include "render/messages.h"
#include "render/mged_units.h"
#include "render/script_fixture.h"

namespace tessarin::render::testing {
namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The numbers after the first `skip` words of a line.
std::vector<double> Numbers(const std::string& line, int skip) {
  std::istringstream words(line);
  std::string word;
  for (int k = 0; k < skip; ++k) words >> word;
  std::vector<double> numbers;
  double value;
  while (words >> value) numbers.push_back(value);
  return numbers;
}

constexpr const char* kBall = "S1 S 0 0 0 2\nM1 \"water\"\nC1 1 1 -1\nC2 -1 1\n";

class RtScriptTest : public ::testing::Test {
 protected:
  ScriptFixture fixture;
};

TEST(MgedUnitTest, ViewSizeChoosesTheUnit) {
  EXPECT_STREQ(kMgedUnits[ChooseMgedUnit(5)].name, "1 cm");
  EXPECT_STREQ(kMgedUnits[ChooseMgedUnit(500)].name, "1 m");
  EXPECT_STREQ(kMgedUnits[ChooseMgedUnit(5e4)].name, "1 km");
  EXPECT_STREQ(kMgedUnits[ChooseMgedUnit(1e-8)].name, "1 angstrom");
  EXPECT_STREQ(kMgedUnits[ChooseMgedUnit(1e-12)].name, "1 angstrom");
  EXPECT_STREQ(kMgedUnits[ChooseMgedUnit(1e19)].name, "1 pc");
  EXPECT_STREQ(kMgedUnits[ChooseMgedUnit(3.0857e18)].name, "1 pc");
}

TEST_F(RtScriptTest, CentimetreViewHasNoBanner) {
  fixture.set.viewSize = 5;
  const std::string script = fixture.ScriptOf(kBall);
  EXPECT_FALSE(Has(script, "Coordinate conversion"));
  EXPECT_FALSE(Has(script, "after 2000"));
  EXPECT_TRUE(Has(script, "\nview size 5\n"));
  EXPECT_TRUE(Has(script, "\nrt -F:1 -R -s 512 -C"));
}

TEST_F(RtScriptTest, MetreViewScalesEverythingAndSaysSo) {
  fixture.set.viewSize = 500;
  fixture.set.viewCenter = {100, 200, 300};
  fixture.set.raytraceInGraphicsWindow = 1;
  const std::string script = fixture.ScriptOf("S1 S 10 20 30 50\nM1 \"water\"\nC1 1 1 -1\nC2 -1 1\nBEAM 100 0 0 0 0 1\n");
  EXPECT_TRUE(Has(script, "\nin S1 sph   0.1 0.2 0.3   0.5\n")) << script;
  EXPECT_TRUE(Has(script, "\nview center 1 2 3\nview size 5\n"));
  const std::string stars(66, '*');
  EXPECT_TRUE(Has(script, "puts \" \\n" + stars + "\\nCoordinate conversion: 1 MGED centimeter = 1 m = 100 cm.\\n" +
                              stars + "\\n \"\n"));
  EXPECT_TRUE(Has(script, "\nafter 2000 rt -F:1 -R -s 512 -C"));
  EXPECT_TRUE(Has(script, "\nafter 2000 rt -F5559 -R -w $width"));
  // World: 50 times the view, centred at the view centre.
  EXPECT_TRUE(Has(script, "in World rpp   -124 126 -123 127 -122 128\n")) << script;
}

TEST_F(RtScriptTest, WorldWithACutawayPlane) {
  fixture.set.useCutawayPlane = 1;
  fixture.set.cutawayPlaneNormal = {1, 1, 1};
  const std::string script = fixture.ScriptOf(kBall);
  const std::string world = LinesStartingWith(script, "in World arbn");
  ASSERT_FALSE(world.empty()) << script;
  EXPECT_EQ(world.rfind("in World arbn 7", 0), 0u) << world;
  EXPECT_TRUE(Has(world, " 0.577350269189626 0.577350269189626 0.577350269189626 0\n")) << world;

  fixture.set.cutawayPlanePoint = {0, 0, 1e4};  // misses the world cube
  EXPECT_EQ(fixture.Write().outcome, RtScriptOutcome::Written);
  EXPECT_EQ(LinesStartingWith(fixture.script, "in World arbn").rfind("in World arbn 6", 0), 0u);
}

TEST_F(RtScriptTest, CutawayRemovingTheWorldStopsTheCommand) {
  tessarin::testing::WriteWholeFile(fixture.scriptPath, "the older script\n");
  fixture.set.useCutawayPlane = 1;
  fixture.set.cutawayPlanePoint = {0, 0, -1e4};
  ASSERT_TRUE(fixture.Read(kBall));
  const std::size_t surfaces = fixture.model.surfaces.size();
  EXPECT_EQ(fixture.Write().outcome, RtScriptOutcome::WorldVolumeZero);
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  EXPECT_EQ(fixture.host.messages[0].text, messages::kWorldVolumeZero);
  EXPECT_EQ(fixture.host.messages[0].icon, platform::MessageIcon::Error);
  // An incomplete script would replace a good one: the older one stays.
  EXPECT_EQ(fixture.script, "the older script\n");
  EXPECT_EQ(fixture.model.surfaces.size(), surfaces);
}

TEST_F(RtScriptTest, CombinationsOfSpheresAndSubtractions) {
  const std::string script = fixture.ScriptOf(
      "S1 S 0 0 0 2\nS2 S 0 0 0 1\nM1 \"a\"\nC1 1 1 -1 2\nC2 1 1 2 -1\nC3 1 1 -2\nC4 0 1\n");
  EXPECT_TRUE(Has(script, "\ncomb C1 u S1 - S2 - S_source\n")) << script;
  EXPECT_TRUE(Has(script, "\ncomb C2 u S1 - S2 - S_source\n"));
  EXPECT_TRUE(Has(script, "\ncomb C3 u S2 - S_source\n"));
  EXPECT_TRUE(Has(script, "\nr M1 u C1 u C2 u C3\n"));
  EXPECT_TRUE(Has(script, "\nr V0 u C4\n"));
  EXPECT_TRUE(Has(script, "\nr M_source u S_source\n"));
  EXPECT_TRUE(Has(script, "\nmater M_source \"plastic {tr "));
}

TEST_F(RtScriptTest, NoSourceSphereWithoutASize) {
  fixture.set.sourceSizeRatio = 0;
  const std::string script = fixture.ScriptOf(kBall);
  EXPECT_FALSE(Has(script, "S_source"));
  EXPECT_FALSE(Has(script, "M_source"));
}

TEST_F(RtScriptTest, AHiddenSourceIsNotSubtracted) {
  ASSERT_TRUE(fixture.Read(kBall));
  fixture.set.rows.resize(3);
  fixture.set.rows[2].show = 0;  // M1, V1, M_source
  EXPECT_EQ(fixture.Write().outcome, RtScriptOutcome::Written);
  EXPECT_TRUE(Has(fixture.script, "in S_source sph"));
  EXPECT_FALSE(Has(fixture.script, " - S_source"));
  EXPECT_TRUE(Has(fixture.script, "\ndraw M1 V1\n")) << fixture.script;
}

TEST_F(RtScriptTest, PlaneCellsBecomeArbnsHoldingTheirPlanes) {
  fixture.set.nIterations = 0;
  const std::string script = fixture.ScriptOf(
      "S1 P 0 0 1 0\nS2 P 0 0 1 1\nS3 P 1 0 0 0\nS4 S 0 0 0 100\nM1 \"a\"\nC1 1 1 1 -2 3\nC2 1 1 -1 -4\nC3 0 -4 #1 #2\n");
  // C1 is the slab 0 < z < 1 with x > 0: three planes of its own and five world faces.
  const std::string arbn = LinesStartingWith(script, "in ARBN1 arbn");
  EXPECT_EQ(arbn.rfind("in ARBN1 arbn 6", 0), 0u) << script;
  EXPECT_TRUE(Has(script, "\ncomb C1 u ARBN1 - S_source\n"));
  EXPECT_TRUE(Has(script, "\ncomb C2 u ARBN2 + S4 - S_source\n"));
  EXPECT_TRUE(Has(script, "\ncomb C3 u S4 - C1 - C2 - S_source\n"));
  EXPECT_FALSE(Has(script, "World1"));
}

// MGED fails to prepare an arbn whose planes enclose nothing, and the
// region is left out of every picture with a message.
TEST_F(RtScriptTest, ACellWhosePlanesEncloseNothingIsWrittenEmpty) {
  for (int iterations : {0, 20}) {
    fixture.set.nIterations = iterations;
    const std::string script = fixture.ScriptOf("S1 P 1 0 0 0\nS2 P 1 0 0 5\nM1 \"a\"\nC1 1 1 -1 2\nC2 0 1\n");
    EXPECT_TRUE(Has(script, "\ncomb C1 u World - World - S_source\n")) << script;
    EXPECT_FALSE(Has(script, "ARBN1")) << iterations;
    EXPECT_TRUE(Has(script, "\nin ARBN2 arbn 6")) << script;
  }
}

// Cells outside the world have points, only not in the picture.
TEST_F(RtScriptTest, TheCellsThatContainNoPointAreListed) {
  struct Case {
    const char* input;
    std::vector<int> empty;
  };
  const std::vector<Case> cases{
      {"S1 P 1 0 0 0\nS2 P 1 0 0 5\nS3 S 0 0 0 10\nM1 \"a\"\nC1 1 1 -1 2 -3\nC2 0 -3 #1\nC3 0 3\n", {1}},
      {"S1 S 0 0 0 1\nS2 S 5 0 0 1\nM1 \"a\"\nC1 1 1 -1 -2\nC2 1 1 -1\nC3 0 1 -2\nC4 0 1 2\n", {1}},
      {"S1 S 0 0 0 1\nS2 S 0 0 0 2\nM1 \"a\"\nC1 1 1 -1 2\nC2 1 1 -1\nC3 0 1 -2\nC4 0 2\n", {1}},
      {"S1 P 1 0 0 0\nM1 \"a\"\nC1 1 1 -1 1\nC2 0 -1\nC3 0 1\n", {1}},
      {"S1 S 1e5 0 0 1\nM1 \"a\"\nC1 1 1 -1\nC2 0 1\n", {}},
      {"S1 S 0 0 0 1\nM1 \"a\"\nC1 1 1 -1\nC2 0 1\n", {}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(fixture.Read(c.input)) << fixture.console;
    EXPECT_EQ(fixture.Write().emptyCells, c.empty) << c.input;
    EXPECT_FALSE(Has(fixture.script, "ARBN1")) << c.input;
  }
}

TEST_F(RtScriptTest, MacrobodiesAndTheirTransformedCopies) {
  const std::string script = fixture.ScriptOf(
      "S5 RPP 2 -1 0 3 4 -2\nS6 RCC 0 0 0 0 0 2 1\nTR1 10 0 0\nM1 \"a\"\nC1 1 1 -5\nC2 1 1 TR1 1\nC3 1 1 -6.1 -6.2 6.3\n");
  EXPECT_TRUE(Has(script, "\nin S5 rpp -1 2 0 3 -2 4\n")) << script;
  EXPECT_TRUE(Has(script, "\nin S6 rcc   0 0 0   0 0 2   1\n"));
  EXPECT_TRUE(Has(script, "\nin S6F1 rcc"));
  EXPECT_TRUE(Has(script, "\ncomb C1 u S5 - S_source\n"));
  EXPECT_TRUE(Has(script, "\nin S5C2 rpp 9 12 0 3 -2 4\n"));
  EXPECT_TRUE(Has(script, "\ncomb C2 u S5C2 - S_source\n"));
  EXPECT_TRUE(Has(script, "\ncomb C3 u ARBN3 + S6F1C3 - S_source\n")) << script;
}

TEST_F(RtScriptTest, CopiedSurfacesGetPrimitivesPerCellEvenWithoutClipping) {
  fixture.set.nIterations = 0;
  const std::string script = fixture.ScriptOf(
      "S1 CY 0 0 0 0 0 1 1\nS2 P 0 0 1 0\nS3 P 0 0 1 2\nS4 S 5 0 0 1\nTR1 10 0 0\nTR2 0 0 0 0 90\n"
      "M1 \"a\"\nC1 1 1 -1 2 -3\nC2 1 1 TR1 1\nC3 1 1 -4\nC4 1 1 TR1 3\nS5 RPP 0 1 0 2 0 3\nC5 1 1 -5\nC6 1 1 TR2 5\n"
      "TR3 0 0 0 0 30\nC7 1 1 TR3 5\n");
  EXPECT_TRUE(Has(script, "\nin S01C2 rcc   10 0 -1500   0 0 3000   1\n")) << script;
  EXPECT_TRUE(Has(script, "\ncomb C2 u ARBN2 + S01C2 - S_source\n"));
  EXPECT_TRUE(Has(script, "\nin S01C4 sph   15 0 0   1\n"));
  EXPECT_TRUE(Has(script, "\ncomb C4 u S01C4 - S_source\n"));
  // Turned by 90 degrees the box stays along the axes; by 30 it does not.
  EXPECT_TRUE(Has(script, "\nin S5C6 rpp -3 0 0 2 0 1\n")) << script;
  EXPECT_TRUE(Has(script, "\nin S5C7 box ")) << script;
}

TEST_F(RtScriptTest, NestedComplementsSubtractEveryInnerCell) {
  const std::string script = fixture.ScriptOf(
      "S1 S 0 0 0 1\nS2 S 0 0 0 2\nS3 S 0 0 0 3\nM1 \"water\"\nM2 \"pmma\"\nM3 \"air\"\n"
      "C1 1 1 -1\nC2 2 1 -2 #1\nC3 3 1 -3 #2\nC4 0 -1 3\n");
  EXPECT_TRUE(Has(script, "\ncomb C2 u S2 - C1 - S_source\n")) << script;
  EXPECT_TRUE(Has(script, "\ncomb C3 u S3 - C2 - C1 - S_source\n")) << script;
}

TEST_F(RtScriptTest, FineGeometryKeepsItsDigits) {
  // A 1 µm foil 1 m from the origin.
  fixture.set.viewSize = 5;
  const std::string script =
      fixture.ScriptOf("S1 P 1 0 0 100\nS2 P 1 0 0 100.0001\nM1 \"foil\"\nC1 1 1 1 -2\nC2 0 -1 -1\nC3 0 2\n");
  EXPECT_TRUE(Has(script, " -100.0001")) << script;
  EXPECT_TRUE(Has(script, " 100.0001")) << script;
  EXPECT_TRUE(Has(script, " -100 ")) << script;
}

TEST_F(RtScriptTest, CylinderFarOutsideTheWorldIsStretched) {
  fixture.set.viewSize = 10;
  fixture.set.maximumObjectSizeRatio = 2;  // world 20 cm, half-size 10
  fixture.set.nIterations = 0;
  const std::string script = fixture.ScriptOf("S1 CY 0 0 0 0 0 1 0.5\nS2 CY 300 400 0 0 0 1 1\nM1 \"a\"\nC1 1 1 -1\nC2 0 -1 1\n");
  const std::string near = LinesStartingWith(script, "in S1 rcc");
  const std::string far = LinesStartingWith(script, "in S2 rcc");
  ASSERT_FALSE(far.empty()) << script;
  EXPECT_DOUBLE_EQ(Numbers(near, 3)[5], 80);
  EXPECT_DOUBLE_EQ(Numbers(far, 3)[5], 80 * (1 + 0.5 * 500 / 20));
}

TEST_F(RtScriptTest, ClippingShortensInfiniteCylindersToTheCell) {
  fixture.set.viewSize = 10;
  const std::string script =
      fixture.ScriptOf("S1 CY 0 0 0 0 0 1 1\nS2 P 0 0 1 -2\nS3 P 0 0 1 3\nM1 \"a\"\nC1 1 1 -1 2 -3\nC2 0 -1 #1\n");
  const std::string clipped = LinesStartingWith(script, "in S1C1 rcc");
  ASSERT_FALSE(clipped.empty()) << script;
  const std::vector<double> values = Numbers(clipped, 3);
  // Bisection over the travel of 4·W = 2000 cm leaves a gap of at most two
  // last steps, 2000 / 2^18.
  const double gap = 2000 / std::pow(2.0, 18);
  EXPECT_LE(values[2], -2);
  EXPECT_GE(values[2], -2 - gap);
  EXPECT_GE(values[5], 5);
  EXPECT_LE(values[5], 5 + 2 * gap);
  EXPECT_TRUE(Has(script, "\ncomb C1 u ARBN1 + S1C1 - S_source\n")) << script;

  fixture.set.nIterations = 0;
  EXPECT_EQ(fixture.Write().outcome, RtScriptOutcome::Written);
  EXPECT_FALSE(Has(fixture.script, "S1C1"));
  EXPECT_TRUE(Has(fixture.script, "\ncomb C1 u ARBN1 + S1 - S_source\n"));
}

TEST_F(RtScriptTest, CellsTouchingTheWorldGetAClippedBox) {
  fixture.set.viewSize = 10;
  const std::string script = fixture.ScriptOf("S1 S 0 0 0 1\nM1 \"a\"\nC1 1 1 1\nC2 1 1 -1\n");
  EXPECT_TRUE(Has(script, "\ncomb C1 u World - S1 - S_source\n")) << script;
  EXPECT_TRUE(Has(script, "\ncomb C2 u S1 - S_source\n"));
}

TEST_F(RtScriptTest, OverwriteQuestion) {
  fixture.overwritePrompt = true;
  ASSERT_TRUE(fixture.Read(kBall));
  tessarin::testing::WriteWholeFile(fixture.scriptPath, "old");
  fixture.host.answers = {platform::MessageAnswer::No};
  EXPECT_EQ(fixture.Write().outcome, RtScriptOutcome::NotOverwritten);
  EXPECT_EQ(fixture.script, "old");
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  EXPECT_EQ(fixture.host.messages[0].text, "File \"" + fixture.scriptPath + "\" already exists. Do you want to overwrite it?");
  EXPECT_EQ(fixture.host.messages[0].icon, platform::MessageIcon::Warning);
  EXPECT_EQ(fixture.host.messages[0].buttons, platform::MessageButtons::YesNo);

  fixture.host.answers = {platform::MessageAnswer::Yes};
  EXPECT_EQ(fixture.Write().outcome, RtScriptOutcome::Written);
  EXPECT_TRUE(Has(fixture.script, "comb C1"));
}

// A script folder is a folder whether or not it ends with its separator.
TEST_F(RtScriptTest, TheDatabaseGoesBesideTheScript) {
  ASSERT_TRUE(fixture.Read(kBall));
  std::filesystem::create_directory(fixture.folder.File("out"));
  fixture.scriptPath = fixture.folder.File("out/geometry.rt");
  for (const char* folder : {"out", "out/"}) {
    fixture.set.ScriptFolder = folder;
    EXPECT_EQ(fixture.Write().databasePath, fixture.folder.File("out/geometry.g"));
    EXPECT_TRUE(Has(fixture.script, "opendb \"" + fixture.folder.File("out/geometry.g") + "\" y\n"));
  }
}

TEST_F(RtScriptTest, UnwritableFileIsReported) {
  ASSERT_TRUE(fixture.Read(kBall));
  fixture.scriptPath = fixture.folder.File("missing/geometry.rt");
  EXPECT_EQ(fixture.Write().outcome, RtScriptOutcome::CouldNotOpen);
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  EXPECT_EQ(fixture.host.messages[0].text, "File \"" + fixture.scriptPath + "\" could not be opened for writing: No such file or directory.");
  EXPECT_EQ(fixture.host.messages[0].icon, platform::MessageIcon::Error);
}

class RecordingClipboard final : public platform::Clipboard {
 public:
  bool SetText(std::string_view text) override {
    this->text = text;
    return true;
  }
  std::string text;
};

TEST_F(RtScriptTest, ClipboardHoldsTheScriptByteForByte) {
  RecordingClipboard clipboard;
  fixture.clipboard = &clipboard;
  fixture.set.copyToClipboard = 1;
  const std::string script = fixture.ScriptOf(kBall);
  EXPECT_EQ(clipboard.text, script);
  clipboard.text.clear();
  fixture.set.copyToClipboard = 0;
  EXPECT_EQ(fixture.Write().outcome, RtScriptOutcome::Written);
  EXPECT_TRUE(clipboard.text.empty());
}

TEST_F(RtScriptTest, DatabasePathCannotRunTclCommands) {
  fixture.set.ScriptFolder = fixture.folder.path() + "a[exec touch x]$b\"/";
  const std::string script = fixture.ScriptOf(kBall);
  EXPECT_TRUE(Has(script, "\nopendb \"" + fixture.folder.path() + "a\\[exec touch x\\]\\$b\\\"/geometry.g\" y\n")) << script;
}

TEST_F(RtScriptTest, DatabaseAndBeamAxis) {
  fixture.set.MGEDsuffix = "_v%d";
  fixture.set.beamAxisColorRGB = {0, 255, 0, 16};
  const RtScriptResult result = [&] {
    EXPECT_TRUE(fixture.Read(kBall + std::string("BEAM 1 2 3 0 0 2\n")));
    return fixture.Write();
  }();
  EXPECT_EQ(result.databasePath, fixture.folder.path() + "geometry_v1.g");
  EXPECT_EQ(result.trackBasePath, fixture.folder.path() + "geometry_v1");
  EXPECT_TRUE(Has(fixture.script, "\nopendb \"" + result.databasePath + "\" y\n\n"));
  EXPECT_TRUE(Has(fixture.script, "\nvdraw params color ff0010\n")) << fixture.script;
  EXPECT_TRUE(Has(fixture.script, "\nvdraw write next 0 10 20 30\n"));
  EXPECT_TRUE(Has(fixture.script, "\nvdraw write next 1 10 20 15030\n"));

  fixture.set.beamAxisColorRGB = {0, 240, 240, 240};  // the button face: no axis
  EXPECT_EQ(fixture.Write().outcome, RtScriptOutcome::Written);
  EXPECT_FALSE(Has(fixture.script, "vdraw"));
}

}  // namespace
}  // namespace tessarin::render::testing

namespace tessarin::render::testing {
namespace {

// Every primitive of one cone, the whole one and the clipped copies of the
// cells that share it, lies on the same conical surface: the same apex and
// the same slope. Copies that tapered differently made MGED see overlaps
// and gaps of up to 1e-4 of the view between those cells.
TEST(ConePieces, EveryCopyOfOneConeLiesOnTheSameSurface) {
  ScriptFixture fixture;
  fixture.set.viewSize = 40;
  const std::string script = fixture.ScriptOf(
      "S1 CO 1 2 -15 0.1 0.2 1 25\nS2 P 0 0 1 2\nS3 S 0 0 0 18\nM1 \"a\"\nM2 \"b\"\n"
      "C1 1 1 -1 -2\nC2 2 1 -1 +2 -3\nC3 0 +1 -3\nC4 0 +3\n");
  const double slope = std::tan(25 * std::acos(-1.0) / 180);
  const double norm = std::sqrt(0.01 + 0.04 + 1);
  int pieces = 0;
  std::istringstream lines(script);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("in S1", 0) != 0 || line.find(" trc ") == std::string::npos) continue;
    SCOPED_TRACE(line);
    const std::vector<double> n = Numbers(line, 3);  // base, height, the two radii
    ASSERT_EQ(n.size(), 8u);
    const double length = std::sqrt(n[3] * n[3] + n[4] * n[4] + n[5] * n[5]);
    EXPECT_NEAR((n[7] - n[6]) / length, slope, 1e-12);
    // Back from the base by radius / slope along the axis: the apex.
    const double back = n[6] / slope / length;
    EXPECT_NEAR(n[0] - back * n[3], 1, 1e-11);
    EXPECT_NEAR(n[1] - back * n[4], 2, 1e-11);
    EXPECT_NEAR(n[2] - back * n[5], -15, 1e-11);
    EXPECT_NEAR(n[5] / length, 1 / norm, 1e-12);
    ++pieces;
  }
  EXPECT_GE(pieces, 4) << script;
}

}  // namespace
}  // namespace tessarin::render::testing
