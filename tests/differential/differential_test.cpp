// Random models and the findings kept from earlier searches: the RT script,
// the point locator and BRL-CAD must hold exactly the input's cells.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "differential/check/model_check.h"
#include "differential/check/model_shrinking.h"
#include "differential/check/random_geometry.h"
#include "platform/scripted_host.h"
#include "render/script_check/mged_runner.h"
#include "settings/parameter_file.h"
#include "support/test_files.h"

namespace tessarin::differential {
namespace {

namespace fs = std::filesystem;

constexpr unsigned kFixedSeeds = 300;
// Small models, so that the sanitizer build gets through them in a minute;
// the search program takes larger ones.
constexpr int kFixedSeedBodies = 3;

TEST(DifferentialGeometry, FixedSeedsHoldTheInputsCells) {
  CheckOptions options;
  options.points = 300;
  options.lines = 2;
  options.pointsPerLine = 50;
  long compared = 0, alongTheEngine = 0;
  for (unsigned seed = 1; seed <= kFixedSeeds; ++seed) {
    const GeneratedModel model = GenerateModel(seed, kFixedSeedBodies);
    const CheckReport report = CheckModel(model.input, model.view, options);
    EXPECT_FALSE(report.Found()) << "seed " << seed << ": " << report.Describe() << model.input;
    compared += report.comparedPoints;
    alongTheEngine += report.engineComparedPoints;
  }
  EXPECT_GT(compared, kFixedSeeds * 300L);
  EXPECT_GT(alongTheEngine, kFixedSeeds * 200L);
}

// Large models with slivers, nearly touching balls and thin slabs.
TEST(DifferentialGeometry, StressSeedsHoldTheInputsCells) {
  CheckOptions options;
  options.points = 1500;
  options.engineLines = 12;
  for (unsigned seed = 1; seed <= 6; ++seed) {
    const GeneratedModel model = GenerateModel(seed, 200, ModelFamily::Stress);
    const CheckReport report = CheckModel(model.input, model.view, options);
    EXPECT_FALSE(report.Found()) << "seed " << seed << ": " << report.Describe() << model.input;
    EXPECT_GT(report.engineComparedPoints, 200);
  }
}

TEST(DifferentialGeometry, BrlcadBuildsWhatTheInputHoldsForSomeSeeds) {
  if (!render::script_check::BrlcadBinFolder()) GTEST_SKIP() << render::script_check::kNoBrlcad;
  CheckOptions options;
  options.brlcad = true;
  for (unsigned seed : {3u, 17u, 29u}) {
    const GeneratedModel model = GenerateModel(seed);
    const CheckReport report = CheckModel(model.input, model.view, options);
    EXPECT_FALSE(report.Found()) << "seed " << seed << ": " << report.Describe() << model.input;
    EXPECT_GT(report.nirtRays, options.nirtRays / 2);
  }
}

// Each NAME.inp in tests/data/geometry with its one-set NAME.tesprm.
TEST(DifferentialGeometry, KeptCasesHoldTheInputsCellsAlsoInBrlcad) {
  CheckOptions options;
  options.points = 4000;
  options.brlcad = render::script_check::BrlcadBinFolder().has_value();
  int cases = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(TESSARIN_TEST_DATA_DIR "/geometry")) {
    if (entry.path().extension() != ".tesprm") continue;
    SCOPED_TRACE(entry.path().filename().string());
    platform::ScriptedHost host;
    const settings::ParameterFileReadResult file = settings::ReadParameterFile(entry.path().string(), true, host);
    ASSERT_TRUE(file.opened);
    ASSERT_FALSE(file.defaultCreated);
    fs::path input = entry.path();
    input.replace_extension(".inp");
    const CheckReport report = CheckModel(tessarin::testing::ReadWholeFile(input.string()),
                                          ModelView::Of(file.list.sets.front()), options);
    EXPECT_TRUE(report.read);
    EXPECT_FALSE(report.Found()) << report.Describe();
    EXPECT_GT(report.comparedPoints, options.points / 2);
    ++cases;
  }
  EXPECT_GE(cases, 4);
}

TEST(RandomGeometry, TheSameSeedGivesTheSameModelAndTheSeedsUseEveryKind) {
  EXPECT_EQ(GenerateModel(7).input, GenerateModel(7).input);
  EXPECT_NE(GenerateModel(7).input, GenerateModel(8).input);
  std::string all;
  for (unsigned seed = 1; seed <= 60; ++seed) all += GenerateModel(seed).input;
  for (const char* kind : {" P ", " S ", " CY ", " CO ", " RCC ", " TRC ", " BOX ", " RPP ", " RHP ", " HEX ", " WED ",
                           " ARB4 ", " ARB ", " MB ", "UNION", "\nTR", "\n*TR", " TR", "#", ".[", "C1 -"})
    EXPECT_NE(all.find(kind), std::string::npos) << kind;
}

TEST(ModelShrinking, KeepsOnlyTheLinesAndComplementsTheFailureNeedsWithinItsTrials) {
  const std::string input = "COMPLEX_GEOMETRY 1\nS1 S 0 0 0 1\nS2 S 0 0 0 2\nC1 0 -1\nC2 0 -2 #1\nC3 0 +2\n";
  const std::string shrunk = ShrinkInput(input, [](const std::string& candidate) {
    return candidate.find("S2 ") != std::string::npos && candidate.find("C2 0 -2") != std::string::npos;
  });
  EXPECT_EQ(shrunk, "COMPLEX_GEOMETRY 1\nS2 S 0 0 0 2\nC2 0 -2\n");
  int asked = 0;
  EXPECT_EQ(ShrinkInput(input, [&](const std::string&) { return ++asked > 0; }, 3),
            "COMPLEX_GEOMETRY 1\nS1 S 0 0 0 1\nS2 S 0 0 0 2\n");
  EXPECT_EQ(asked, 3);
}

}  // namespace
}  // namespace tessarin::differential
