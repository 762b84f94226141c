#include "preview/overlap_search.h"

#include <gtest/gtest.h>

#include <cmath>

#include "preview/preview_models.h"
#include "preview/set_world.h"
#include "render/script_check/random_model.h"

namespace tessarin::preview {
namespace {

using testing::TextModel;

OverlapSearchResult SearchViewCube(const TextModel& model, int randomPoints = 20000) {
  const settings::VIEWPARM& set = model.set;
  const Vec3 centre = ViewCentreOf(set);
  const PointLocator locator(model.read.model, WorldCubeOf(set));
  OverlapSearchOptions options;
  options.region = ViewCube(centre, set.viewSize);
  options.pixels = 120;
  options.slicesPerAxis = 8;
  options.randomPoints = randomPoints;
  return SearchOverlaps(locator, options);
}

TEST(OverlapSearch, FindsThePlantedSlabAndGapWithTheirCells) {
  TextModel model(testing::kPlantedFaults, 12);
  ASSERT_TRUE(model.read.loaded) << model.read.console;
  const OverlapSearchResult result = SearchViewCube(model);
  ASSERT_EQ(result.overlaps.size(), 1u);
  EXPECT_EQ(result.overlaps[0].firstCell, 0);
  EXPECT_EQ(result.overlaps[0].secondCell, 1);
  EXPECT_GT(result.overlaps[0].at.x, 0);
  EXPECT_LT(result.overlaps[0].at.x, 0.5);
  ASSERT_EQ(result.undefined.size(), 1u);
  EXPECT_LT(Norm(result.undefined[0].at - Vec3{3.5, 0, 0}), 0.5);
  EXPECT_EQ(result.undefined[0].borderingCells, std::vector<int>{2});
}

TEST(OverlapSearch, ACleanModelReportsNothing) {
  TextModel sphere(testing::kSphereInBox, 10);
  ASSERT_TRUE(sphere.read.loaded) << sphere.read.console;
  EXPECT_TRUE(SearchViewCube(sphere).Clean());
  for (unsigned seed = 1; seed <= 4; ++seed) {
    SCOPED_TRACE(seed);
    TextModel generated(render::script_check::RandomModelInput(seed), render::script_check::kRandomModelSize + 2);
    ASSERT_TRUE(generated.read.loaded) << generated.read.console;
    const OverlapSearchResult result = SearchViewCube(generated, 5000);
    EXPECT_TRUE(result.Clean()) << result.overlaps.size() << " overlaps, " << result.undefined.size() << " gaps";
  }
}

TEST(OverlapSearch, ARegionOutsideTheModelIsOutsideNotAGap) {
  TextModel model(testing::kPlantedFaults, 12);
  ASSERT_TRUE(model.read.loaded) << model.read.console;
  const PointLocator locator(model.read.model, WorldCube({}, 12, 50));
  OverlapSearchOptions options;
  options.region = {{6, 6, 6}, {9, 9, 9}};
  options.pixels = 20;
  options.randomPoints = 100;
  EXPECT_TRUE(SearchOverlaps(locator, options).Clean());
}

}  // namespace
}  // namespace tessarin::preview

namespace tessarin::preview {
namespace {

// The bundled inputs are correct models: nothing to report where their cells are.
TEST(OverlapSearch, EveryExampleInputIsClean) {
  const int models = testing::ForEachExampleModel([](const settings::VIEWPARM&, const input::GeometryModel& model) {
    const PointLocator locator(model, WorldCube({}, 1000, 50));
    OverlapSearchOptions options;
    options.region = locator.ModelExtent().Grown(1);
    options.pixels = 150;
    options.slicesPerAxis = 10;
    options.randomPoints = 20000;
    const OverlapSearchResult result = SearchOverlaps(locator, options);
    for (const OverlapFinding& overlap : result.overlaps)
      ADD_FAILURE() << "overlap C" << model.cells[static_cast<std::size_t>(overlap.firstCell)].id << " C"
                    << model.cells[static_cast<std::size_t>(overlap.secondCell)].id << " at " << overlap.at.x << " "
                    << overlap.at.y << " " << overlap.at.z;
    for (const UndefinedFinding& gap : result.undefined)
      ADD_FAILURE() << "undefined at " << gap.at.x << " " << gap.at.y << " " << gap.at.z;
  });
  EXPECT_GE(models, 5);
}

}  // namespace
}  // namespace tessarin::preview
