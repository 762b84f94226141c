#include "preview/cell_ray_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <thread>

#include "preview/point_locator.h"
#include "preview/preview_models.h"
#include "preview/set_world.h"
#include "raytrace/ray_findings.h"
#include "raytrace/ray_walk.h"
#include "render/script_check/model_cells.h"
#include "render/script_check/random_model.h"

namespace tessarin::preview {
namespace {

using raytrace::CellSpan;
using raytrace::Ray;
using testing::TextModel;

Vec3 RandomDirection(std::mt19937_64& random) {
  std::normal_distribution<double> normal;
  const Vec3 v{normal(random), normal(random), normal(random)};
  return Unit(v);
}

// Rays through the model's extent: at points along each ray, away from
// every surface, the cells the engine reports there are the cells the
// locator finds. Returns how many points lay in some cell.
int CompareWithLocator(const input::GeometryModel& model, const settings::VIEWPARM& set, unsigned seed, int rays) {
  const Box3 world = WorldCubeOf(set);
  const PointLocator locator(model, world);
  const raytrace::RayEngine engine = RayEngineOver(model, world, locator.Bounds());
  const render::script_check::ModelCells surfaces(model);
  Box3 extent = locator.ModelExtent();
  const double size = Norm(extent.high - extent.low);
  extent = extent.Grown(0.1 * size + 1).Intersection(world);
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> unit(0, 1);
  raytrace::TraceScratch scratch;
  std::vector<CellSpan> spans;
  int inside = 0;
  for (int r = 0; r < rays; ++r) {
    const Vec3 span = extent.high - extent.low;
    const Ray ray{extent.low + Vec3{unit(random) * span.x, unit(random) * span.y, unit(random) * span.z},
                  RandomDirection(random)};
    engine.Trace(ray, -HUGE_VAL, HUGE_VAL, scratch, spans);
    // Where the cells are along the ray, and a little beyond.
    double low = -size, high = size;
    if (!spans.empty()) {
      const double length = spans.back().span.exit - spans.front().span.entry;
      low = spans.front().span.entry - 0.1 * length;
      high = spans.back().span.exit + 0.1 * length;
    }
    for (int k = 0; k < 40; ++k) {
      const double t = low + unit(random) * (high - low);
      const Vec3 point = ray.At(t);
      if (surfaces.BoundaryDistance(point) < 1e-9 * (1 + size)) continue;
      std::vector<int> traced;
      for (const CellSpan& s : spans)
        if (s.span.entry < t && t < s.span.exit) traced.push_back(s.cell);
      std::sort(traced.begin(), traced.end());
      const PointCells found = locator.Locate(point);
      const std::vector<int> located(found.inside.begin(), found.inside.begin() + found.Kept());
      EXPECT_EQ(traced, located) << "ray " << r << " at t = " << t << ": (" << point.x << ", " << point.y << ", "
                                 << point.z << ")";
      if (traced != located) return inside;
      inside += traced.empty() ? 0 : 1;
    }
  }
  return inside;
}

TEST(CellRayEngine, AgreesWithTheLocatorOnEveryExampleInput) {
  const int models = testing::ForEachExampleModel([](const settings::VIEWPARM& set, const input::GeometryModel& model) {
    EXPECT_GT(CompareWithLocator(model, set, 3, 150), 100);
  });
  EXPECT_GE(models, 5);
}

TEST(CellRayEngine, AgreesWithTheLocatorOnGeneratedModels) {
  for (unsigned seed = 1; seed <= 8; ++seed) {
    SCOPED_TRACE(seed);
    TextModel generated(render::script_check::RandomModelInput(seed), 60);
    ASSERT_TRUE(generated.read.loaded) << generated.read.console;
    EXPECT_GT(CompareWithLocator(generated.read.model, generated.set, seed, 200), 500);
  }
}

TEST(CellRayEngine, ReportsOverlapsAndUndefinedStretches) {
  TextModel planted(testing::kPlantedFaults, 12);
  ASSERT_TRUE(planted.read.loaded) << planted.read.console;
  const raytrace::RayEngine engine = BuildRayEngine(planted.read.model, WorldCubeOf(planted.set));
  raytrace::TraceScratch scratch;
  std::vector<CellSpan> spans;
  // Along x through the shared slab and the ball that no cell holds.
  engine.Trace({{-10, 0.1, 0.2}, {1, 0, 0}}, 0, HUGE_VAL, scratch, spans);
  raytrace::RayFindings findings;
  raytrace::FindOverlapsAndGaps(spans, engine.Tolerance(), findings);
  ASSERT_EQ(findings.overlaps.size(), 1u);
  EXPECT_EQ(findings.overlaps[0].firstCell, 0);
  EXPECT_EQ(findings.overlaps[0].secondCell, 1);
  EXPECT_NEAR(findings.overlaps[0].from, 10, 1e-12);
  EXPECT_NEAR(findings.overlaps[0].to, 10.5, 1e-12);
  ASSERT_EQ(findings.gaps.size(), 1u);
  const double chord = std::sqrt(0.25 - 0.05);
  EXPECT_NEAR(findings.gaps[0].from, 13.5 - chord, 1e-12);
  EXPECT_NEAR(findings.gaps[0].to, 13.5 + chord, 1e-12);
  // The container's stretches end on its faces, whose surfaces are named.
  ASSERT_FALSE(spans.empty());
  EXPECT_EQ(spans.front().cell, 2);
  EXPECT_NEAR(spans.front().span.entry, 5, 1e-12);
  EXPECT_GE(spans.front().span.entrySurface, 0);
}

TEST(CellRayEngine, AWalkThatStopsEarlyHasSeenTheFirstCell) {
  TextModel generated(render::script_check::RandomModelInput(4), 60);
  ASSERT_TRUE(generated.read.loaded) << generated.read.console;
  const raytrace::RayEngine engine = BuildRayEngine(generated.read.model, WorldCubeOf(generated.set));
  raytrace::TraceScratch scratch, walkScratch;
  std::vector<CellSpan> spans;
  std::vector<raytrace::CellPiece> pieces;
  std::mt19937_64 random(4);
  int hits = 0;
  for (int r = 0; r < 300; ++r) {
    const Ray ray{{0, 0, 0}, RandomDirection(random)};
    engine.Trace(ray, 0, HUGE_VAL, scratch, spans);
    raytrace::RayWalk walk(engine, walkScratch, ray, 0, HUGE_VAL);
    while (walk.Next(pieces) && pieces.empty()) {
    }
    ASSERT_EQ(pieces.empty(), spans.empty());
    if (spans.empty()) continue;
    ++hits;
    EXPECT_EQ(pieces.front().cell, spans.front().cell);
    EXPECT_EQ(pieces.front().span.entry, spans.front().span.entry);
  }
  EXPECT_GT(hits, 200);
}

TEST(CellRayEngine, ThreadsTraceTheSameEngineAtOnce) {
  TextModel generated(render::script_check::RandomModelInput(2), 60);
  ASSERT_TRUE(generated.read.loaded) << generated.read.console;
  const raytrace::RayEngine engine = BuildRayEngine(generated.read.model, WorldCubeOf(generated.set));
  auto traceAll = [&](std::vector<std::vector<CellSpan>>& results) {
    raytrace::TraceScratch scratch;
    std::mt19937_64 random(9);
    for (auto& result : results) engine.Trace({{1, 2, 3}, RandomDirection(random)}, 0, HUGE_VAL, scratch, result);
  };
  std::vector<std::vector<CellSpan>> alone(500), first(500), second(500);
  traceAll(alone);
  std::thread one([&] { traceAll(first); });
  std::thread two([&] { traceAll(second); });
  one.join();
  two.join();
  for (std::size_t k = 0; k < alone.size(); ++k) {
    ASSERT_EQ(first[k].size(), alone[k].size());
    ASSERT_EQ(second[k].size(), alone[k].size());
    for (std::size_t s = 0; s < alone[k].size(); ++s) {
      EXPECT_EQ(first[k][s].span.entry, alone[k][s].span.entry);
      EXPECT_EQ(second[k][s].cell, alone[k][s].cell);
    }
  }
}

}  // namespace
}  // namespace tessarin::preview
