#include "preview/overlap_search.h"

#include <gtest/gtest.h>

#include <cmath>

#include "preview/cell_ray_engine.h"
#include "preview/ray_grid.h"
#include "preview/preview_models.h"
#include "preview/set_world.h"
#include "platform/format_text.h"
#include "render/script_check/random_model.h"

namespace tessarin::preview {
namespace {

using testing::TextModel;

OverlapSearchResult SearchViewCube(const TextModel& model, int raysPerSide = 100) {
  const settings::VIEWPARM& set = model.set;
  const raytrace::RayEngine engine = BuildRayEngine(model.read.model, WorldCubeOf(set));
  OverlapSearchOptions options;
  options.region = ViewCube(ViewCentreOf(set), set.viewSize);
  options.raysPerSide = raysPerSide;
  return SearchOverlaps(engine, options);
}

// Rays stand at the centres of equal steps, as many along each side as the
// longest side's spacing gives, so the grid is symmetric in the region and
// reaches half a step from every face; each ray starts on the low face.
TEST(RayGrid, RaysStandAtTheCentresOfEqualStepsAcrossTheRegion) {
  const struct {
    Box3 region;
    int raysPerSide;
    std::array<int, 3> counts;
  } cases[] = {{{{0, 0, 0}, {1, 1, 1}}, 4, {4, 4, 4}},
               {{{-3, 1, 10}, {5, 2, 10.5}}, 16, {16, 2, 1}},
               {{{0, 0, 0}, {1, 0.26, 0.24}}, 4, {4, 1, 1}},
               {{{-1, -1, -1}, {1, 1, 1}}, 1, {1, 1, 1}}};
  for (const auto& c : cases) {
    const RayGrid grid(c.region, c.raysPerSide);
    for (int axis = 0; axis < 3; ++axis) {
      SCOPED_TRACE(axis);
      const std::vector<double>& at = grid.Coordinates(axis);
      ASSERT_EQ(grid.Count(axis), c.counts[static_cast<std::size_t>(axis)]);
      const double low = Component(c.region.low, axis), high = Component(c.region.high, axis);
      const double step = (high - low) / grid.Count(axis);
      EXPECT_DOUBLE_EQ(grid.Step(axis), step);
      EXPECT_DOUBLE_EQ(at.front() - low, step / 2);
      EXPECT_DOUBLE_EQ(high - at.back(), step / 2);
      for (std::size_t k = 1; k < at.size(); ++k) EXPECT_NEAR(at[k] - at[k - 1], step, 1e-12 * (high - low));
      const raytrace::Ray ray = grid.RayAt(axis, grid.Count(RayGrid::UAxis(axis)) - 1, 0);
      EXPECT_EQ(Component(ray.origin, axis), low);
      EXPECT_EQ(Component(ray.origin, RayGrid::UAxis(axis)), grid.Coordinates(RayGrid::UAxis(axis)).back());
      EXPECT_EQ(Component(ray.direction, axis), 1);
      EXPECT_EQ(grid.RayCount(axis), grid.RayIndex(axis, grid.Count(RayGrid::UAxis(axis)) - 1,
                                                   grid.Count(RayGrid::VAxis(axis)) - 1) + 1);
      EXPECT_DOUBLE_EQ(grid.RayArea(axis), grid.Step(RayGrid::UAxis(axis)) * grid.Step(RayGrid::VAxis(axis)));
    }
  }
}

TEST(OverlapSearch, FindsThePlantedSlabAndGapWithTheirCells) {
  TextModel model(testing::kPlantedFaults, 12);
  ASSERT_TRUE(model.read.loaded) << model.read.console;
  const OverlapSearchResult result = SearchViewCube(model);
  ASSERT_EQ(result.overlaps.size(), 1u);
  const FaultExtent& slab = result.overlaps[0].extent;
  EXPECT_EQ(result.overlaps[0].cells, (std::vector<int>{0, 1}));
  EXPECT_GT(slab.at.x, 0);
  EXPECT_LT(slab.at.x, 0.5);
  EXPECT_NEAR(slab.volume, 0.5 * 4 * 4, 0.5);
  EXPECT_NEAR(slab.bounds.low.x, 0, 1e-9);
  EXPECT_NEAR(slab.bounds.high.x, 0.5, 1e-9);
  ASSERT_EQ(result.undefined.size(), 1u);
  const FaultExtent& ball = result.undefined[0].extent;
  EXPECT_LT(Norm(ball.at - Vec3{3.5, 0, 0}), 0.5);
  EXPECT_NEAR(ball.volume, 4.0 / 3 * M_PI * 0.125, 0.05);
  EXPECT_EQ(result.undefined[0].borderingCells, std::vector<int>{2});
}

// Faults thinner than the rays' spacing, where no grid node lies: a gap
// sheet 0.01 cm thick is one region measured by the rays across it, and an
// overlap a few times the precision thick is found at all.
TEST(OverlapSearch, ThinFaultsAreFoundWholeAndMeasuredAcross) {
  // Six cells between the cube of edge 10 and the one of edge 4 enclose what
  // the cells in the inner cube leave out.
  const std::string shell =
      "COMPLEX_GEOMETRY 1\nM1 \"m\"\nS3 RPP -5 5 -5 5 -5 5\nS11 P 1 0 0 2\nS12 P 1 0 0 -2\nS13 P 0 1 0 2\n"
      "S14 P 0 1 0 -2\nS15 P 0 0 1 2\nS16 P 0 0 1 -2\nC3 1 1 -3 +11\nC4 1 1 -3 -12\nC5 1 1 -3 -11 +12 +13\n"
      "C6 1 1 -3 -11 +12 -14\nC7 1 1 -3 -11 +12 -13 +14 +15\nC8 1 1 -3 -11 +12 -13 +14 -16\n";
  TextModel sheet(shell + "S1 RPP -2 0 -2 2 -2 2\nS2 RPP 0.01 2 -2 2 -2 2\nC1 1 1 -1\nC2 1 1 -2\n", 12);
  ASSERT_TRUE(sheet.read.loaded) << sheet.read.console;
  const OverlapSearchResult gap = SearchViewCube(sheet);
  EXPECT_TRUE(gap.overlaps.empty());
  ASSERT_EQ(gap.undefined.size(), 1u);
  EXPECT_NEAR(gap.undefined[0].extent.volume, 0.01 * 4 * 4, 0.01 * 4 * 4 * 0.1);

  const std::string thin = platform::FormatText("%.17g", 5 * input::kDefaultDistancePrecision);
  TextModel overlap("COMPLEX_GEOMETRY 1\nM1 \"m\"\nS1 RPP -2 " + thin +
                        " -2 2 -2 2\nS2 RPP 0 2 -2 2 -2 2\nC1 1 1 -1\nC2 1 1 -2\n",
                    12);
  ASSERT_TRUE(overlap.read.loaded) << overlap.read.console;
  const OverlapSearchResult slab = SearchViewCube(overlap);
  ASSERT_EQ(slab.overlaps.size(), 1u);
  EXPECT_EQ(slab.overlaps[0].cells, (std::vector<int>{0, 1}));
}

// Nine boxes that begin one after another along x and end together: where
// all nine overlap they are one finding, and the pairs and smaller groups at
// their left ends are part of it rather than findings of their own.
TEST(OverlapSearch, ManyCellsHoldingOnePlaceAreOneFinding) {
  std::string text = "COMPLEX_GEOMETRY 1\nM1 \"m\"\n";
  for (int k = 1; k <= 9; ++k)
    text += platform::FormatText("S%d RPP %g 2 -2 2 -2 2\nC%d 1 1 -%d\n", k, -2 + 0.2 * (k - 1), k, k);
  TextModel staggered(text, 12);
  ASSERT_TRUE(staggered.read.loaded) << staggered.read.console;
  const OverlapSearchResult result = SearchViewCube(staggered);
  ASSERT_EQ(result.overlaps.size(), 1u);
  EXPECT_EQ(result.overlaps[0].cells.size(), 9u);
  EXPECT_TRUE(result.undefined.empty());
}

TEST(OverlapSearch, ACleanModelReportsNothing) {
  TextModel sphere(testing::kSphereInBox, 10);
  ASSERT_TRUE(sphere.read.loaded) << sphere.read.console;
  EXPECT_TRUE(SearchViewCube(sphere).Clean());
  for (unsigned seed = 1; seed <= 4; ++seed) {
    SCOPED_TRACE(seed);
    TextModel generated(render::script_check::RandomModelInput(seed), render::script_check::kRandomModelSize + 2);
    ASSERT_TRUE(generated.read.loaded) << generated.read.console;
    const OverlapSearchResult result = SearchViewCube(generated);
    EXPECT_TRUE(result.Clean()) << result.overlaps.size() << " overlaps, " << result.undefined.size() << " gaps";
  }
}

// Two rods, each hit by one ray only, stand just off the faces of a box:
// the space between rod and box is open to the outside, as the rays beside
// them show by leaving the box before it.
TEST(OverlapSearch, SpaceOpenToTheOutsideBeyondTheNeighboursIsNoGap) {
  TextModel rods("COMPLEX_GEOMETRY 1\nM1 \"m\"\nS1 RPP -2 2 -1 1 -2 2\nS2 RPP 0.03 0.09 1.01 3 0.03 0.09\n"
                 "S3 RPP 0.03 0.09 -3 -1.01 0.03 0.09\nC1 1 1 -1\nC2 1 1 -2\nC3 1 1 -3\n",
                 12);
  ASSERT_TRUE(rods.read.loaded) << rods.read.console;
  const OverlapSearchResult result = SearchViewCube(rods);
  EXPECT_TRUE(result.Clean()) << result.undefined.size() << " gaps";
}

TEST(OverlapSearch, ARegionOutsideTheModelIsOutsideNotAGap) {
  TextModel model(testing::kPlantedFaults, 12);
  ASSERT_TRUE(model.read.loaded) << model.read.console;
  const raytrace::RayEngine engine = BuildRayEngine(model.read.model, WorldCube({}, 12, 50));
  OverlapSearchOptions options;
  options.region = {{6, 6, 6}, {9, 9, 9}};
  options.raysPerSide = 20;
  EXPECT_TRUE(SearchOverlaps(engine, options).Clean());
}

}  // namespace
}  // namespace tessarin::preview

namespace tessarin::preview {
namespace {

// The bundled inputs are correct models: nothing to report where their cells are.
TEST(OverlapSearch, EveryExampleInputIsClean) {
  const int models = testing::ForEachExampleModel([](const settings::VIEWPARM&, const input::GeometryModel& model) {
    const Box3 world = WorldCube({}, 1000, 50);
    const std::vector<CellBound> bounds = FindCellBounds(model, world, 24);
    const raytrace::RayEngine engine = RayEngineOver(model, world, bounds);
    OverlapSearchOptions options;
    options.region = SearchRegion(world, bounds);
    options.raysPerSide = 200;
    const OverlapSearchResult result = SearchOverlaps(engine, options);
    for (const OverlapFinding& overlap : result.overlaps)
      ADD_FAILURE() << "overlap C" << model.cells[static_cast<std::size_t>(overlap.cells[0])].id << " C"
                    << model.cells[static_cast<std::size_t>(overlap.cells[1])].id << " at " << overlap.extent.at.x
                    << " " << overlap.extent.at.y << " " << overlap.extent.at.z;
    for (const UndefinedFinding& gap : result.undefined)
      ADD_FAILURE() << "undefined at " << gap.extent.at.x << " " << gap.extent.at.y << " " << gap.extent.at.z;
  });
  EXPECT_GE(models, 5);
}

}  // namespace
}  // namespace tessarin::preview
