// The checks the RT script tests rely on, tried on scripts and models made
// by hand: a checker that passes wrong scripts would hide writer faults.

#include <gtest/gtest.h>

#include <random>

#include "render/script_check/database_dump.h"
#include "render/script_check/membership_check.h"
#include "render/script_check/mged_runner.h"
#include "render/script_check/model_cells.h"
#include "render/script_check/model_reading.h"
#include "render/script_check/random_model.h"
#include "render/script_check/ray_check.h"
#include "render/script_check/tcl_stub.h"
#include "support/test_files.h"

namespace tessarin::render::script_check {
namespace {

ScriptGeometry Parsed(const std::string& script) {
  std::string error;
  std::optional<ScriptGeometry> geometry = ScriptGeometry::Parse(script, error);
  EXPECT_TRUE(geometry) << error;
  return geometry ? *geometry : ScriptGeometry{};
}

std::string ParseError(const std::string& script) {
  std::string error;
  return ScriptGeometry::Parse(script, error) ? std::string() : error;
}

TEST(ScriptGeometry, UnionBindsLoosestAndIntersectionsAndSubtractionsGoLeftToRight) {
  ScriptGeometry script = Parsed(
      "in A rpp 0 2 0 2 0 2\n"
      "in B sph 1 1 1 0.5\n"
      "in C rpp 1 3 0 2 0 2\n"
      "comb X u A u C - B\n"
      "comb Y u A + C - B\n"
      "comb Z u X - A\n");
  // In A and B but not C: A u (C - B) holds it; (A u C) - B would not.
  EXPECT_TRUE(script.Contains("X", {0.7, 1, 1}));
  EXPECT_TRUE(script.Contains("X", {2.5, 1, 1}));
  EXPECT_FALSE(script.Contains("X", {3.5, 1, 1}));
  EXPECT_TRUE(script.Contains("Y", {1.5, 1.6, 1.7}));
  EXPECT_FALSE(script.Contains("Y", {1.2, 1.1, 1}));  // in B
  EXPECT_FALSE(script.Contains("Y", {0.5, 1, 1}));    // not in C
  EXPECT_TRUE(script.Contains("Z", {2.5, 1, 1}));
  EXPECT_FALSE(script.Contains("Z", {0.3, 0.3, 0.3}));
}

TEST(ScriptGeometry, PrimitivesOfEveryKindTheWriterUses) {
  ScriptGeometry script = Parsed(
      "in R rpp 0 1 0 1 0 1\n"
      "in B box 0 0 0  1 1 0  -1 1 0  0 0 1\n"            // a square turned by 45 degrees
      "in T arb4 0 0 0  1 0 0  0 1 0  0 0 1\n"
      "in N arbn 6   1 0 0 1   -1 0 0 1   0 1 0 1   0 -1 0 1   0 0 1 1   0 0 -1 1\n"
      "in S sph 0 0 0 2\n"
      "in C rcc 0 0 0  0 0 4  1\n"
      "in K trc 0 0 0  0 0 4  2 0.5\n");
  EXPECT_TRUE(script.Contains("R", {0.5, 0.5, 0.5}));
  EXPECT_FALSE(script.Contains("R", {1.5, 0.5, 0.5}));
  EXPECT_TRUE(script.Contains("B", {0, 1, 0.5}));
  EXPECT_FALSE(script.Contains("B", {0.9, 0.1, 0.5}));
  EXPECT_TRUE(script.Contains("T", {0.2, 0.2, 0.2}));
  EXPECT_FALSE(script.Contains("T", {0.5, 0.5, 0.5}));
  EXPECT_TRUE(script.Contains("N", {0.9, -0.9, 0.9}));
  EXPECT_FALSE(script.Contains("N", {1.1, 0, 0}));
  EXPECT_TRUE(script.Contains("S", {1.9, 0, 0}));
  EXPECT_FALSE(script.Contains("S", {1.5, 1.5, 0}));
  EXPECT_TRUE(script.Contains("C", {0.9, 0, 3.9}));
  EXPECT_FALSE(script.Contains("C", {0, 0, 4.1}));
  EXPECT_TRUE(script.Contains("K", {1.5, 0, 0.5}));   // radius 1.8125 there
  EXPECT_FALSE(script.Contains("K", {1.5, 0, 3.5}));  // radius 0.6875 there
  EXPECT_NEAR(Parsed("in S sph 0 0 0 2\nin C rcc 0 0 -1  0 0 2  3\n").BoundaryDistance({0, 0, 1.5}), 0.5, 1e-12);
}

TEST(ScriptGeometry, TheBannerAndTheUnitsScaleModelPoints) {
  ScriptGeometry metres = Parsed(
      "units cm\n"
      "in S sph 0 0 0 1\n"
      "puts \" \\n****\\nCoordinate conversion: 1 MGED centimeter = 1 m = 100 cm.\\n****\\n \"\n");
  EXPECT_DOUBLE_EQ(metres.ModelLengthPerUnit(), 100);
  EXPECT_TRUE(metres.Contains("S", {90, 0, 0}));
  EXPECT_FALSE(metres.Contains("S", {110, 0, 0}));
  ScriptGeometry millimetres = Parsed("units mm\nin R rpp 0 10 0 10 0 10\n");
  EXPECT_TRUE(millimetres.Contains("R", {0.9, 0.5, 0.5}));
  EXPECT_FALSE(millimetres.Contains("R", {1.1, 0.5, 0.5}));
}

TEST(ScriptGeometry, RefusesWhatMgedCouldNotBuild) {
  EXPECT_NE(ParseError("in S sph 0 0 1\n"), "");
  EXPECT_NE(ParseError("in S tor 0 0 0 0 0 1 2 1\n"), "");
  EXPECT_NE(ParseError("in N arbn 2  1 0 0 1\n"), "");
  EXPECT_NE(ParseError("in S sph 0 0 0 x\n"), "");
  EXPECT_NE(ParseError("comb C1 u S1\n"), "");  // S1 not made
  EXPECT_NE(ParseError("in S sph 0 0 0 1\ncomb C1 u S -\n"), "");
  EXPECT_NE(ParseError("in S sph 0 0 0 1\ncomb C1 u S x S\n"), "");
  EXPECT_NE(ParseError("in S sph 0 0 0 1\nin S sph 0 0 0 2\n"), "");
  EXPECT_EQ(ParseError("Z\ndraw M1\nae 35 25 0\n"), "");
}

// Three concentric spheres: water in the core, PMMA around it, air around
// that; each cell excludes the next one in.
constexpr const char* kNestedInput =
    "COMPLEX_GEOMETRY 1\n"
    "M1 \"water\"\nM2 \"PMMA\"\nM3 \"air\"\n"
    "S1 S 0 0 0 1\nS2 S 0 0 0 2\nS3 S 0 0 0 3\n"
    "C1 1 1 -1\nC2 2 1.2 -2 #1\nC3 3 0.001 -3 #2\n";

struct NestedModel {
  tessarin::testing::TempDir folder;
  settings::VIEWPARM set;
  ReadModel read;
  NestedModel() {
    tessarin::testing::WriteWholeFile(folder.File("nested.inp"), kNestedInput);
    set = SetForInput(folder.File("nested.inp"), folder.path());
    set.viewSize = 8;
    set.maximumObjectSizeRatio = 2;
    set.sourceSizeRatio = 0;
    read = ReadSetInput(set, folder.path());
  }
};

// The script of the nested spheres; `complements` follows each cell's own
// " - C%d" list.
std::string NestedScript(const std::string& complementsOfC3) {
  return "in World rpp -8 8 -8 8 -8 8\n"
         "in S1 sph 0 0 0 1\nin S2 sph 0 0 0 2\nin S3 sph 0 0 0 3\n"
         "comb C1 u S1\ncomb C2 u S2 - C1\ncomb C3 u S3" + complementsOfC3 + "\n"
         "r M1 u C1\nr M2 u C2\nr M3 u C3\n";
}

TEST(DatabaseDump, ObjectsAndAttributesInAnyOrderAndNumbersWithinTheTolerance) {
  const std::string dump =
      "title {t}\nunits cm\nput {A} ell V {0 0 0} A {10 0 0}\nattr set {A} {region_id} {1000} {los} {100}\n"
      "put {B} comb region no tree {- {l A} {l C}}\n";
  struct Case {
    const char* other;
    bool same;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"title {t}\nunits cm\nput {B} comb region no tree {- {l A} {l C}}\nput {A} ell V {0 0 0} A {10 0 0}\n"
            "attr set {A} {los} {100} {region_id} {1000}\n",
            true},
           {"title {t}\nunits cm\nput {A} ell V {0 0 0} A {10.00000000000001 0 0}\n"
            "attr set {A} {region_id} {1000} {los} {100}\nput {B} comb region no tree {- {l A} {l C}}\n",
            true},
           {"title {t}\nunits cm\nput {A} ell V {0 0 0} A {10.000001 0 0}\n"
            "attr set {A} {region_id} {1000} {los} {100}\nput {B} comb region no tree {- {l A} {l C}}\n",
            false},
           {"title {t}\nunits cm\nput {A} ell V {0 0 0} A {10 0 0}\nattr set {A} {region_id} {1000}\n"
            "put {B} comb region no tree {- {l A} {l C}}\n",
            false},
           {"title {t}\nunits cm\nput {A} ell V {0 0 0} A {10 0 0}\nattr set {A} {region_id} {1000} {los} {100}\n"
            "put {B} comb region no tree {- {l C} {l A}}\n",
            false},
           {"title {t}\nunits cm\nput {A} ell V {0 0 0} A {10 0 0}\nattr set {A} {region_id} {1000} {los} {100}\n",
            false},
       }) {
    EXPECT_EQ(CompareDumps(dump, c.other).empty(), c.same) << c.other;
    EXPECT_EQ(CompareDumps(c.other, dump).empty(), c.same) << c.other;
  }
}

TEST(ModelCells, AComplementExcludesTheCellWithEveryCellNestedInIt) {
  NestedModel nested;
  ASSERT_TRUE(nested.read.loaded) << nested.read.console;
  ModelCells cells(nested.read.model);
  EXPECT_EQ(cells.RegionsAt({0, 0, 0.5}), std::vector<std::string>{"M1"});
  EXPECT_EQ(cells.RegionsAt({0, 1.5, 0}), std::vector<std::string>{"M2"});
  EXPECT_EQ(cells.RegionsAt({2.5, 0, 0}), std::vector<std::string>{"M3"});
  EXPECT_TRUE(cells.RegionsAt({3.5, 0, 0}).empty());
  EXPECT_NEAR(cells.BoundaryDistance({0, 0, 1.2}), 0.2, 1e-12);
}

// The generated models must be valid input whose cells never share a
// point, or the end-to-end comparison would blame the writer for them.
TEST(RandomModels, ReadWithoutErrorAndTheirCellsDoNotOverlap) {
  for (unsigned seed = 1; seed <= 8; ++seed) {
    SCOPED_TRACE(seed);
    tessarin::testing::TempDir folder;
    std::string input = RandomModelInput(seed);
    EXPECT_EQ(input, RandomModelInput(seed));
    tessarin::testing::WriteWholeFile(folder.File("random.inp"), input);
    ReadModel read = ReadSetInput(SetForInput(folder.File("random.inp"), folder.path()), folder.path());
    ASSERT_TRUE(read.loaded) << read.console << input;
    ModelCells cells(read.model);
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> coordinate(-kRandomModelSize / 2, kRandomModelSize / 2);
    int inside = 0;
    for (int i = 0; i < 3000; ++i) {
      Vec3 point{coordinate(random), coordinate(random), coordinate(random)};
      int holding = 0;
      for (std::size_t cell = 0; cell < read.model.cells.size(); ++cell)
        holding += cells.InCell(static_cast<int>(cell), point) ? 1 : 0;
      EXPECT_LE(holding, 1) << "(" << point.x << ", " << point.y << ", " << point.z << ")\n" << input;
      inside += holding;
    }
    // The container's void cell holds every point the bodies leave.
    EXPECT_GT(inside, 2900);
  }
}

TEST(MembershipCheck, AgreesWithAScriptThatBuildsTheCellsAndFindsTheOverlapOfALiteralComplement) {
  NestedModel nested;
  ASSERT_TRUE(nested.read.loaded) << nested.read.console;
  MembershipOptions options;
  options.samples = 4000;
  MembershipReport right =
      CompareMembership(nested.read.model, nested.set, Parsed(NestedScript(" - C2 - C1")), options);
  EXPECT_TRUE(right.disagreements.empty()) << right.Describe();
  EXPECT_GT(right.compared, 3900);
  EXPECT_GT(right.insideSomeCell, 500);

  // Subtracting only C2 gives the water core back to the air.
  MembershipReport literal = CompareMembership(nested.read.model, nested.set, Parsed(NestedScript(" - C2")), options);
  ASSERT_FALSE(literal.disagreements.empty());
  const Disagreement& first = literal.disagreements.front();
  EXPECT_EQ(first.expected, std::vector<std::string>{"M1"});
  EXPECT_EQ(first.found, (std::vector<std::string>{"M1", "M3"}));
  EXPECT_NE(literal.Describe().find("script {M1, M3}"), std::string::npos);
}

TEST(MembershipCheck, FindsWhatAScriptLeavesOutOrBuildsOutsideTheWorld) {
  NestedModel nested;
  ASSERT_TRUE(nested.read.loaded);
  MembershipOptions options;
  options.samples = 3000;
  std::string withoutAir = "in S1 sph 0 0 0 1\nin S2 sph 0 0 0 2\n"
                           "comb C1 u S1\ncomb C2 u S2 - C1\nr M1 u C1\nr M2 u C2\n";
  EXPECT_FALSE(CompareMembership(nested.read.model, nested.set, Parsed(withoutAir), options).disagreements.empty());
  // A region where the input has no cell, reaching out of the world (half size 8).
  std::string beyond = NestedScript(" - C2 - C1") + "in Far sph 7 7 7 3\nr V9 u Far\n";
  EXPECT_FALSE(CompareMembership(nested.read.model, nested.set, Parsed(beyond), options).disagreements.empty());
}

TEST(MembershipCheck, TheSourceSphereIsARegionOfItsOwnTakenOutOfTheCells) {
  NestedModel nested;
  nested.set.sourceSizeRatio = 0.1;  // radius 0.4 at the origin
  MembershipOptions options;
  options.samples = 5000;
  std::string script = "in S_source sph 0 0 0 0.4\n" + NestedScript(" - C2 - C1");
  std::string subtracted = "in S_source sph 0 0 0 0.4\n" + NestedScript(" - C2 - C1 - S_source");
  subtracted.replace(subtracted.find("comb C1 u S1"), 12, "comb C1 u S1 - S_source");
  subtracted.replace(subtracted.find("comb C2 u S2 - C1"), 17, "comb C2 u S2 - C1 - S_source");
  subtracted += "r M_source u S_source\n";
  EXPECT_TRUE(CompareMembership(nested.read.model, nested.set, Parsed(subtracted), options).disagreements.empty());
  EXPECT_FALSE(CompareMembership(nested.read.model, nested.set, Parsed(script), options).disagreements.empty());
}

class ScriptRuns : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& text) {
    std::string path = folder.File(name);
    tessarin::testing::WriteWholeFile(path, text);
    return path;
  }
  std::string Script(const std::string& body) {
    return "set glob_compat_mode 0\nclosedb\ncatch {file delete \"" + folder.File("t.g") + "\"} result\n"
           "opendb \"" + folder.File("t.g") + "\" y\n\nunits cm\n" + body;
  }
  tessarin::testing::TempDir folder;
};

constexpr const char* kValidBody =
    "in World rpp -5 5 -5 5 -5 5\n"
    "in S1 sph 0 0 0 1\n"
    "in S2 rcc 0 0 -2  0 0 4  0.5\n"
    "comb C1 u S1 - S2\ncomb C2 u S2\n"
    "r M1 u C1\nr M2 u C2\n"
    "Z\n"
    "mater M1 \"plastic {tr 0.3 re 0}\" 128 255 128 0\n"
    "mater M2 \"plastic {tr 0 re 0.5}\" 255 128 128 0\n"
    "draw M1 M2\n"
    "\nae 35 25 0\nset perspective 0\nview center 0 0 0\nview size 10\n"
    "set width_height [dm size]\nset width [lindex $width_height 0]\nset height [lindex $width_height 1]\n"
    "set ratio [expr 1.0 * $width / $height]\n"
    "after 2000 rt -F5559 -R -w $width -n $height -V $ratio -C255/255/255 -P16 -H0 -J0 -l0\n"
    "\nvdraw open beamAxis\nvdraw params color ff0000\nvdraw write next 0 0 0 0\n"
    "vdraw write next 1 0 0 100\nvdraw send\n";

TEST_F(ScriptRuns, TheTclStubPassesAWellFormedScriptAndFailsEachKindOfMistake) {
  if (!IsTclAvailable()) GTEST_SKIP() << "tclsh is not installed: Tcl stub checks skipped";
  StubRun good = RunThroughTclStub(Write("good.rt", Script(kValidBody)));
  EXPECT_TRUE(good.passed) << good.transcript;

  const std::pair<const char*, const char*> mistakes[] = {
      {"in S1 sph 0 0 0 1", "in S1 sph 0 0 1"},                 // too few values
      {"in S1 sph 0 0 0 1", "in S1 sph 0 0 0 1,5"},             // not a number
      {"in World rpp -5 5", "in World rpp 5 -5"},               // minimum above maximum
      {"comb C1 u S1 - S2", "comb C1 u S1 - S3"},               // a member never made
      {"comb C1 u S1 - S2", "comb C1 u S1 -"},                  // a dangling operation
      {"r M2 u C2", "r M2 u C2 {"},                             // not Tcl
      {"\" 255 128 128 0", "\" 255 128 256 0"},                 // a colour byte out of range
      {"ae 35 25 0", "ae 35 25"},
      {"view size 10", "view size"},
      {"-C255/255/255", "-C255/255"},
      {"vdraw params color ff0000", "vdraw params color red"},
      {"Z\n", "Z 1\n"}};
  for (const auto& [from, to] : mistakes) {
    std::string body = kValidBody;
    body.replace(body.find(from), std::string(from).size(), to);
    StubRun bad = RunThroughTclStub(Write("bad.rt", Script(body)));
    EXPECT_FALSE(bad.passed) << "accepted: " << to;
    EXPECT_NE(bad.transcript.find("STUB RUN FAILED"), std::string::npos) << bad.transcript;
  }
}

TEST_F(ScriptRuns, MgedBuildsAWellFormedScriptAndRtDrawsItsRegions) {
  if (!BrlcadBinFolder()) GTEST_SKIP() << kNoBrlcad;
  std::string script = Script(kValidBody);
  EXPECT_EQ(HeadlessScript(script).find("dm size"), std::string::npos);
  EXPECT_EQ(HeadlessScript(script).find("rt -F"), std::string::npos);
  ASSERT_EQ(DatabasePath(script), folder.File("t.g"));
  MgedRun run = RunThroughMged(Write("good.rt", script));
  EXPECT_TRUE(run.passed) << run.transcript;
  Raytrace image = RaytraceToPng(folder.File("t.g"), {"M1", "M2"}, folder.File("t.png"), 64);
  EXPECT_TRUE(image.passed) << image.message;
  EXPECT_GT(image.hitPixels, 64 * 64 / 20);
  double origin[3] = {0, 0, -4}, direction[3] = {0, 0, 1};
  std::string shot = NirtShot(folder.File("t.g"), {"M1", "M2"}, origin, direction);
  EXPECT_NE(shot.find("M2"), std::string::npos) << shot;
  EXPECT_EQ(shot.find("OVERLAP"), std::string::npos) << shot;
}

// Every primitive kind the writer uses, turned and sheared a little, and
// the boolean rules: BRL-CAD's ray queries must find the regions exactly
// where the script reader puts them.
TEST_F(ScriptRuns, TheScriptReaderSeesWhatBrlcadBuilds) {
  if (!BrlcadBinFolder()) GTEST_SKIP() << kNoBrlcad;
  std::string body =
      "in P1 rpp -1 1.5 -1 1 -0.5 2\n"
      "in P2 box -1 4 -1  2 0.3 0  -0.3 1.8 0.2  0.1 0 2.5\n"
      "in P3 arb4 -1 8 -1  2 8 -1  0 10 -1  0 9 2\n"
      "in P4 arbn 5   0 0 1 1.5   0 0 -1 1   0.8 0.6 0 1.6   -0.8 0.6 0 -11.2   0 -1 0 -12.5\n"
      "in P5 sph 0 16 0 1.3\n"
      "in P6 rcc -1 19 -1  2 0.5 2.5  1.1\n"
      "in P7 trc 1 23 -1  -2 0.3 2  1.4 0.3\n"
      "in A rpp 0 2 26 28 0 2\nin B sph 1 27 1 0.5\nin C rpp 1 3 26 28 0 2\n"
      "comb X u A u C - B\n"
      "in A2 rpp 0 2 30 32 0 2\nin B2 sph 1 31 1 0.5\nin C2 rpp 1 3 30 32 0 2\n"
      "comb Y u A2 + C2 - B2\n";
  std::vector<std::string> regions;
  for (const char* name : {"P1", "P2", "P3", "P4", "P5", "P6", "P7", "X", "Y"}) {
    body += std::string("r R") + name + " u " + name + "\n";
    regions.push_back(std::string("R") + name);
  }
  std::string script = Script(body);
  ASSERT_TRUE(RunThroughMged(Write("shapes.rt", script)).passed);
  ScriptGeometry geometry = Parsed(script);
  std::vector<Ray> rays;
  for (double y = -0.9; y < 33; y += 0.61) {
    rays.push_back({{-5, y, 0.61}, {1, 0, 0}});
    rays.push_back({{0.23, y, -5}, {0, 0, 1}});
    rays.push_back({{-4, y - 1.5, -4}, input::Unit({1, 0.4, 1})});
  }
  std::vector<RayQuery> queries = ShootRays(folder.File("t.g"), regions, rays);
  int compared = 0;
  for (std::size_t i = 0; i < rays.size(); ++i) {
    EXPECT_FALSE(queries[i].overlap) << queries[i].output;
    std::vector<std::string> disagreements = CompareAlongRay(geometry, queries[i], rays[i], 12, 0.02);
    EXPECT_TRUE(disagreements.empty()) << disagreements.front() << "\n" << queries[i].output;
    compared += queries[i].segments.empty() ? 0 : 1;
  }
  EXPECT_GT(compared, 60);
}

TEST_F(ScriptRuns, MgedTranscriptsWithAFailedCommandDoNotPass) {
  if (!BrlcadBinFolder()) GTEST_SKIP() << kNoBrlcad;
  for (const char* body : {"in S1 sph 0 0 0 -1\n", "nosuchcommand 1 2\n", "in S1 sph 0 0 0 1\ncomb C1 u S1 + S9\n"}) {
    MgedRun run = RunThroughMged(Write("bad.rt", Script(body)));
    EXPECT_FALSE(run.passed) << body << run.transcript;
  }
}

}  // namespace
}  // namespace tessarin::render::script_check
