// The overlap search against BRL-CAD's own (gqa -Ao) on the database that
// the RT script of the same model builds: both must name the same pairs of
// material regions.

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <utility>

#include "platform/scripted_host.h"
#include "preview/cell_ray_engine.h"
#include "preview/overlap_search.h"
#include "preview/preview_models.h"
#include "preview/set_world.h"
#include "render/region_rows.h"
#include "render/rt_script.h"
#include "render/script_check/command_run.h"
#include "render/script_check/mged_runner.h"
#include "render/script_check/model_cells.h"

namespace tessarin::preview {
namespace {

using RegionPairs = std::set<std::pair<std::string, std::string>>;
namespace check = render::script_check;

RegionPairs Ordered(RegionPairs pairs) {
  RegionPairs ordered;
  for (auto [a, b] : pairs) ordered.insert(a < b ? std::make_pair(a, b) : std::make_pair(b, a));
  return ordered;
}

// gqa lists each overlapping pair as "/A /B count:... dist:... @ (...)".
RegionPairs GqaOverlaps(const std::string& output) {
  RegionPairs pairs;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("/", 0) != 0 || line.find("count:") == std::string::npos) continue;
    std::istringstream words(line);
    std::string first, second;
    words >> first >> second;
    pairs.insert({first.substr(1), second.substr(1)});
  }
  return Ordered(pairs);
}

RegionPairs SearchedOverlaps(const testing::TextModel& model) {
  const raytrace::RayEngine engine = BuildRayEngine(model.read.model, WorldCubeOf(model.set));
  OverlapSearchOptions options;
  options.region = ViewCube(ViewCentreOf(model.set), model.set.viewSize);
  options.raysPerSide = 120;
  RegionPairs pairs;
  const input::GeometryModel& m = model.read.model;
  for (const OverlapFinding& overlap : SearchOverlaps(engine, options).overlaps) {
    auto region = [&](int cell) {
      return check::ScriptRegionName(m.materials, m.cells[static_cast<std::size_t>(cell)].material);
    };
    for (std::size_t i = 0; i < overlap.cells.size(); ++i)
      for (std::size_t j = i + 1; j < overlap.cells.size(); ++j)
        if (region(overlap.cells[i]) != region(overlap.cells[j]))
          pairs.insert({region(overlap.cells[i]), region(overlap.cells[j])});
  }
  return Ordered(pairs);
}

RegionPairs BrlcadOverlaps(testing::TextModel& model, const std::string& bin) {
  render::PaletteUsage palette;
  palette.CountRows(model.set.rows);
  render::RebuildRegionRows(model.read.model, model.set, palette);
  platform::ScriptedHost host;
  const std::string path = model.folder.File("model.rt");
  const render::RtScriptRequest request{model.read.model, model.set, {model.folder.path(), 1}, path, "model", false,
                                        host};
  EXPECT_EQ(render::WriteRtScript(request).outcome, render::RtScriptOutcome::Written);
  const check::MgedRun run = check::RunThroughMged(path);
  EXPECT_TRUE(run.passed) << run.transcript;
  std::string regions;
  for (int material : render::UsedMaterials(model.read.model))
    regions += " " + check::ScriptRegionName(model.read.model.materials, material);
  const std::string database = check::DatabasePath(tessarin::testing::ReadWholeFile(path));
  const check::CommandOutcome gqa =
      check::RunCommand(check::ShellQuoted(bin + "/gqa") + " -Ao -g 1mm " + check::ShellQuoted(database) + regions, 120);
  EXPECT_EQ(gqa.exitStatus, 0) << gqa.output;
  return GqaOverlaps(gqa.output);
}

TEST(GqaAgreement, BothFindThePlantedOverlapAndNothingInACleanModel) {
  const std::optional<std::string> bin = check::BrlcadBinFolder();
  if (!bin) GTEST_SKIP() << check::kNoBrlcad;
  testing::TextModel planted(testing::kPlantedFaults, 12);
  ASSERT_TRUE(planted.read.loaded) << planted.read.console;
  const RegionPairs ours = SearchedOverlaps(planted);
  EXPECT_EQ(ours, (RegionPairs{{"M1", "M2"}}));
  EXPECT_EQ(BrlcadOverlaps(planted, *bin), ours);

  testing::TextModel clean(testing::kSphereInBox, 10);
  ASSERT_TRUE(clean.read.loaded) << clean.read.console;
  EXPECT_TRUE(SearchedOverlaps(clean).empty());
  EXPECT_TRUE(BrlcadOverlaps(clean, *bin).empty());
}

}  // namespace
}  // namespace tessarin::preview
