// END-TO-END TESTS OF THE RT SCRIPT WRITER. They need the writer itself and
// are built only once its definition is in src/render (see
// tests/render/script_check/script_check.cmake).
//
// Every script written here goes through the Tcl stand-ins for MGED, must
// build the input's cells (point-membership comparison), and, where BRL-CAD
// is unpacked in the build tree, runs through the real MGED without an error
// and raytraces to a PNG that shows the geometry.

#include <gtest/gtest.h>

#include <filesystem>

#include "launch/run_folders.h"
#include "platform/scripted_host.h"
#include "render/region_rows.h"
#include "render/rt_script.h"
#include "render/script_check/command_run.h"
#include "render/script_check/membership_check.h"
#include "render/script_check/mged_runner.h"
#include "render/script_check/model_reading.h"
#include "render/script_check/random_model.h"
#include "render/script_check/ray_check.h"
#include "render/script_check/tcl_stub.h"
#include "settings/parameter_file.h"
#include "support/test_files.h"

namespace tessarin::render::script_check {
namespace {

namespace fs = std::filesystem;
using tessarin::testing::ReadWholeFile;
using tessarin::testing::WriteWholeFile;

struct Written {
  ReadModel read;
  RtScriptResult result;
  std::string path;
  std::string text;
};

// Reads the set's input, names its region rows and writes its script to
// `folder`, as the window's command does.
Written MakeScript(settings::VIEWPARM& set, const std::string& folder) {
  Written written;
  written.read = ReadSetInput(set, folder);
  if (!written.read.loaded) return written;
  PaletteUsage palette;
  palette.CountRows(set.rows);
  RebuildRegionRows(written.read.model, set, palette);
  platform::ScriptedHost host;
  written.path = folder + "script.rt";
  RtScriptRequest request{written.read.model, set, {folder, 1}, written.path, "script", false, host, nullptr};
  written.result = WriteRtScript(request);
  if (fs::exists(written.path)) written.text = ReadWholeFile(written.path);
  return written;
}

// Every check a written script must pass; `label` names it in failures and
// `pngPath` (when not empty) keeps the raytraced image.
void CheckScript(const Written& written, const settings::VIEWPARM& set, const std::string& label,
                 const std::string& pngPath = {}) {
  SCOPED_TRACE(label);
  ASSERT_TRUE(written.read.loaded) << written.read.console;
  ASSERT_EQ(written.result.outcome, RtScriptOutcome::Written);

  if (IsTclAvailable()) {
    StubRun stub = RunThroughTclStub(written.path);
    EXPECT_TRUE(stub.passed) << stub.transcript;
  }

  std::string error;
  std::optional<ScriptGeometry> geometry = ScriptGeometry::Parse(written.text, error);
  ASSERT_TRUE(geometry) << error;
  MembershipOptions options;
  options.samples = 6000;
  MembershipReport report = CompareMembership(written.read.model, set, *geometry, options);
  EXPECT_TRUE(report.disagreements.empty()) << report.Describe();
  EXPECT_GT(report.compared, options.samples / 2) << report.Describe();

  if (!BrlcadBinFolder()) {
    std::cout << "[  SKIPPED ] " << label << ": " << kNoBrlcad << "\n";
    return;
  }
  MgedRun mged = RunThroughMged(written.path);
  EXPECT_TRUE(mged.passed) << mged.transcript;
  std::string database = DatabasePath(written.text);
  ASSERT_TRUE(fs::exists(database)) << database;
  std::vector<std::string> regions = geometry->Regions();
  if (regions.empty()) return;
  // BRL-CAD's own ray queries across the view cube along the three axes: no
  // two regions on one stretch, and every region where the script reader
  // (compared with the input above) has it.
  double unit = geometry->ModelLengthPerUnit();
  double view = set.viewSize / unit;
  Vec3 centre = (1.0 / unit) * Vec3{set.viewCenter.x, set.viewCenter.y, set.viewCenter.z};
  std::vector<Ray> rays;
  for (int axis = 0; axis < 3; ++axis)
    for (double u = -0.43; u < 0.5; u += 0.2)
      for (double v = -0.41; v < 0.5; v += 0.2) {
        Vec3 along = axis == 0 ? Vec3{1, 0, 0} : axis == 1 ? Vec3{0, 1, 0} : Vec3{0, 0, 1};
        Vec3 across = axis == 0 ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
        Vec3 third = input::Cross(along, across);
        rays.push_back({centre + view * (-0.6 * along + u * across + v * third), along});
      }
  std::vector<RayQuery> queries = ShootRays(database, regions, rays);
  for (std::size_t i = 0; i < rays.size(); ++i) {
    EXPECT_FALSE(queries[i].overlap) << queries[i].output;
    std::vector<std::string> disagreements = CompareAlongRay(*geometry, queries[i], rays[i], 1.2 * view, view / 150);
    EXPECT_TRUE(disagreements.empty()) << disagreements.front() << "\n" << queries[i].output;
  }
  std::string png = pngPath.empty() ? written.path + ".png" : pngPath;
  Raytrace image = RaytraceToPng(database, regions, png, 128);
  EXPECT_TRUE(image.passed) << image.message;
}

std::vector<std::string> ExampleInputs() {
  std::vector<std::string> inputs;
  for (const fs::directory_entry& entry : fs::directory_iterator(std::string(TESSARIN_SOURCE_DIR) + "/examples"))
    if (entry.path().extension() == ".inp") inputs.push_back(entry.path().string());
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

TEST(RtScriptEndToEnd, EveryExampleInputBuildsItsCells) {
  std::vector<std::string> inputs = ExampleInputs();
  ASSERT_GE(inputs.size(), 5u);
  for (const std::string& input : inputs) {
    tessarin::testing::TempDir folder;
    settings::VIEWPARM set = SetForInput(input, folder.path());
    set.viewSize = 60;
    // User programs open their data files where the simulator runs: here
    // in the input file's folder, where the examples' data are.
    set.cmdFolderOption = static_cast<int>(launch::ConsoleFolderOption::InputFileFolder);
    Written written = MakeScript(set, folder.path());
    CheckScript(written, set, input);
  }
}

TEST(RtScriptEndToEnd, RandomModelsOfNestedAndTurnedBodiesBuildTheirCells) {
  for (unsigned seed = 1; seed <= 8; ++seed) {
    tessarin::testing::TempDir folder;
    WriteWholeFile(folder.File("random.inp"), RandomModelInput(seed));
    settings::VIEWPARM set = SetForInput(folder.File("random.inp"), folder.path());
    set.viewSize = kRandomModelSize * 1.2;
    set.nIterations = seed % 2 ? 20 : 0;
    Written written = MakeScript(set, folder.path());
    CheckScript(written, set, "random model, seed " + std::to_string(seed) + ":\n" + RandomModelInput(seed));
  }
}

// The settings that change what the script builds, each on one model.
TEST(RtScriptEndToEnd, UnitsCutAwayPlaneSourceAndClippingSettingsKeepTheCells) {
  struct Variant {
    const char* name;
    void (*apply)(settings::VIEWPARM&);
  };
  const Variant variants[] = {
      {"a view size of 500 cm (unit 1 m) with a lingering raytrace",
       [](settings::VIEWPARM& s) {
         s.viewSize = 500;
         s.raytraceInLingeringWindow = 1;
       }},
      {"a view size of 5e-4 cm (unit 1 um)", [](settings::VIEWPARM& s) { s.viewSize = 5e-4; }},
      {"a cut-away plane", [](settings::VIEWPARM& s) {
         s.useCutawayPlane = 1;
         s.cutawayPlanePoint = {0, 0, 1};
         s.cutawayPlaneNormal = {0.3, 0.2, 1};
       }},
      {"no clipping", [](settings::VIEWPARM& s) { s.nIterations = 0; }},
      {"no source sphere", [](settings::VIEWPARM& s) { s.sourceSizeRatio = 0; }},
      {"a hidden source row", [](settings::VIEWPARM& s) { s.sourceSizeRatio = 0.05; }},
  };
  for (const Variant& variant : variants) {
    tessarin::testing::TempDir folder;
    // The model scaled with the view size, so that it stays in view.
    settings::VIEWPARM probe;
    variant.apply(probe);
    double scale = probe.viewSize / 60;
    auto length = [scale](double value) { return std::to_string(value * scale); };
    // A sphere in a cylinder macrobody, a sphere halved by a plane, and an
    // infinite cylinder around both that only the world cuts.
    WriteWholeFile(folder.File("model.inp"),
                   "COMPLEX_GEOMETRY 1\nM1 \"water\"\nM2 \"PMMA\"\n"
                   "S1 S 0 0 0 " + length(5) + "\nS2 RCC 0 0 " + length(-10) + " 0 0 " + length(20) + " " +
                       length(8) + "\nS3 P 0 1 0 0\nS4 CY 0 0 0 0 0 1 " + length(12) + "\nS5 S 0 0 " + length(20) +
                       " " + length(4) + "\nC1 1 1 -1\nC2 2 1.2 -2 #1\nC4 1 1 -5 +3\nC5 2 1.2 -5 -3\n"
                       "C3 0 -4 #2 #4 #5\n");
    settings::VIEWPARM set = SetForInput(folder.File("model.inp"), folder.path());
    set.viewSize = 60;
    variant.apply(set);
    if (std::string(variant.name) == "a hidden source row") {
      settings::VIEWPARM named = set;
      MakeScript(named, folder.path());
      for (std::size_t i = 0; i < named.rows.size(); ++i)
        if (named.rows[i].name == kSourceRegionName) set.rows = named.rows, set.rows[i].show = 0;
    }
    Written written = MakeScript(set, folder.path());
    CheckScript(written, set, variant.name);
  }
}

TEST(RtScriptEndToEnd, NestedComplementsBuildNoOverlapInMged) {
  if (!BrlcadBinFolder()) GTEST_SKIP() << kNoBrlcad;
  tessarin::testing::TempDir folder;
  WriteWholeFile(folder.File("nested.inp"),
                 "COMPLEX_GEOMETRY 1\nM1 \"water\"\nM2 \"PMMA\"\nM3 \"air\"\n"
                 "S1 S 0 0 0 1\nS2 S 0 0 0 2\nS3 S 0 0 0 3\nC1 1 1 -1\nC2 2 1.2 -2 #1\nC3 3 0.001 -3 #2\n");
  settings::VIEWPARM set = SetForInput(folder.File("nested.inp"), folder.path());
  set.sourceSizeRatio = 0;
  Written written = MakeScript(set, folder.path());
  ASSERT_EQ(written.result.outcome, RtScriptOutcome::Written);
  ASSERT_TRUE(RunThroughMged(written.path).passed);
  double origin[3] = {-10, 0.1, 0.2}, direction[3] = {1, 0, 0};
  std::string shot = NirtShot(DatabasePath(written.text), {"M1", "M2", "M3"}, origin, direction);
  EXPECT_EQ(shot.find("OVERLAP"), std::string::npos) << shot;
  EXPECT_NE(shot.find("M1"), std::string::npos) << shot;
}

// The command line: the demo set's script at its derived path, the question
// before overwriting, and the raytraced picture of the demo for the README.
TEST(RtScriptEndToEnd, TheCliWritesTheDemoScriptAndAsksBeforeOverwriting) {
  tessarin::testing::TempDir folder;
  for (const char* name : {"demo.tesprm", "demo_lattice.inp"})
    WriteWholeFile(folder.File(name), ReadWholeFile(std::string(TESSARIN_SOURCE_DIR) + "/examples/" + name));
  std::string cli = std::string(TESSARIN_BINARY_DIR) + "/bin/tessarin-cli";
  auto run = [&](const std::string& arguments) {
    return RunCommand("cd " + ShellQuoted(folder.path()) + " && " + ShellQuoted(cli) + " rt demo.tesprm" + arguments +
                      " 2>" + ShellQuoted(folder.File("err.txt")));
  };
  CommandOutcome first = run("");
  ASSERT_EQ(first.exitStatus, 0) << first.output << ReadWholeFile(folder.File("err.txt"));
  std::string path = first.output.substr(0, first.output.find('\n'));
  ASSERT_TRUE(fs::exists(path)) << path;
  EXPECT_EQ(path.rfind(folder.path(), 0), 0u) << path;
  // The demo shows tracks, and no simulation has run yet: a note, not an error.
  const std::string firstMessages = ReadWholeFile(folder.File("err.txt"));
  EXPECT_NE(firstMessages.find("Note: no track data yet: start Varnholt first. The track data file \"" +
                               folder.File("Files_demo_lattice_out.txt/demo_lattice_out_tracks.txt") +
                               "\" does not exist, so the RT script draws no particle tracks.\n"),
            std::string::npos)
      << firstMessages;
  EXPECT_EQ(firstMessages.find("rror"), std::string::npos) << firstMessages;

  CommandOutcome again = run("");
  EXPECT_EQ(again.exitStatus, 1);
  EXPECT_EQ(again.output, "");
  EXPECT_NE(ReadWholeFile(folder.File("err.txt")).find("already exists. Do you want to overwrite it?"),
            std::string::npos);
  CommandOutcome yes = run(" --yes");
  EXPECT_EQ(yes.exitStatus, 0) << ReadWholeFile(folder.File("err.txt"));

  // The same checks as for every script, on the demo's own set.
  platform::ScriptedHost host;
  settings::ParameterFileReadResult file = settings::ReadParameterFile(folder.File("demo.tesprm"), true, host);
  settings::VIEWPARM set = file.list.sets[static_cast<std::size_t>(file.list.current)];
  Written written;
  written.read = ReadSetInput(set, folder.path());
  PaletteUsage palette;
  palette.CountRows(set.rows);
  RebuildRegionRows(written.read.model, set, palette);
  written.result.outcome = RtScriptOutcome::Written;
  written.path = path;
  written.text = ReadWholeFile(path);
  fs::create_directories(std::string(TESSARIN_BINARY_DIR) + "/screenshots");
  CheckScript(written, set, "demo", std::string(TESSARIN_BINARY_DIR) + "/screenshots/demo_rt.png");
}

}  // namespace
}  // namespace tessarin::render::script_check
