#include "preview/point_locator.h"

#include <gtest/gtest.h>

#include <random>

#include "preview/cell_bounds.h"
#include "preview/preview_models.h"
#include "preview/set_world.h"
#include "render/script_check/model_cells.h"
#include "render/script_check/random_model.h"

namespace tessarin::preview {
namespace {

using render::script_check::ModelCells;
using testing::TextModel;

// Samples points where the cells are (their boxes, a little beyond) and
// compares the locator's cells with the independent check's, away from
// every surface. Returns how many points lay inside some cell.
int CompareWithModelCells(const input::GeometryModel& model, const settings::VIEWPARM& set, unsigned seed,
                          int samples) {
  const Box3 world = WorldCubeOf(set);
  const PointLocator locator(model, world);
  const ModelCells expected(model);
  Box3 extent = locator.ModelExtent();
  extent = extent.Grown(0.1 * Norm(extent.high - extent.low) + 1).Intersection(world);
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> unit(0, 1);
  const Vec3 size = extent.high - extent.low;
  int inside = 0, compared = 0;
  for (int i = 0; i < samples; ++i) {
    const Vec3 point = extent.low + Vec3{unit(random) * size.x, unit(random) * size.y, unit(random) * size.z};
    if (expected.BoundaryDistance(point) < 1e-9 * (1 + Norm(size))) continue;
    ++compared;
    std::vector<int> want;
    for (std::size_t cell = 0; cell < model.cells.size(); ++cell)
      if (expected.InCell(static_cast<int>(cell), point)) want.push_back(static_cast<int>(cell));
    const PointCells found = locator.Locate(point);
    EXPECT_EQ(found.insideCount, static_cast<int>(want.size()))
        << "(" << point.x << ", " << point.y << ", " << point.z << ")";
    if (found.insideCount != static_cast<int>(want.size())) return inside;
    want.resize(std::min<std::size_t>(want.size(), kKeptCells));
    EXPECT_EQ(std::vector<int>(found.inside.begin(), found.inside.begin() + found.Kept()), want);
    inside += found.insideCount > 0 ? 1 : 0;
  }
  EXPECT_GT(compared, samples / 2);
  return inside;
}

TEST(PointLocator, AgreesWithTheIndependentCellCheckOnEveryExampleInput) {
  const int models = testing::ForEachExampleModel([](const settings::VIEWPARM& set, const input::GeometryModel& model) {
    CompareWithModelCells(model, set, 7, 3000);
  });
  EXPECT_GE(models, 5);
}

TEST(PointLocator, AgreesWithTheIndependentCellCheckOnGeneratedModels) {
  for (unsigned seed = 1; seed <= 8; ++seed) {
    SCOPED_TRACE(seed);
    TextModel generated(render::script_check::RandomModelInput(seed), 60);
    ASSERT_TRUE(generated.read.loaded) << generated.read.console;
    EXPECT_GT(CompareWithModelCells(generated.read.model, generated.set, seed, 4000), 1000);
  }
}

TEST(PointLocator, NestedComplementsAndSurfacesWithinThePrecision) {
  TextModel planted(testing::kPlantedFaults, 12);
  ASSERT_TRUE(planted.read.loaded) << planted.read.console;
  const PointLocator locator(planted.read.model, WorldCubeOf(planted.set));
  const PointCells overlap = locator.Locate({0.25, 0, 0});
  ASSERT_EQ(overlap.insideCount, 2);
  EXPECT_EQ(overlap.inside[0], 0);
  EXPECT_EQ(overlap.inside[1], 1);
  EXPECT_EQ(locator.Locate({3.5, 0, 0}).insideCount, 0);
  EXPECT_EQ(locator.Locate({4.5, 0, 0}).inside[0], 2);
  // On the face x = 0.5 of C1 inside C2: on C1's boundary, in C2 alone.
  const PointCells face = locator.Locate({0.5, 1, 1});
  ASSERT_EQ(face.insideCount, 1);
  EXPECT_EQ(face.inside[0], 1);
  // On the container's outer face: a boundary point, no cell.
  const PointCells edge = locator.Locate({5, 1, 1});
  EXPECT_EQ(edge.insideCount, 0);
  EXPECT_EQ(edge.boundaryCell, 2);
  // Beyond the world cube nothing is a cell.
  EXPECT_EQ(locator.Locate({1e6, 0, 0}).insideCount, 0);
}

// A point within the precision of a cell's face is on the cell's boundary,
// although it lies just outside the cell's box; a little farther it is in no
// cell. On every face of a box and at the poles of a ball.
TEST(PointLocator, PointsWithinThePrecisionBeyondACellsBoxAreOnItsBoundary) {
  TextModel lone("COMPLEX_GEOMETRY 1\nM1 \"m\"\nS1 RPP -1 1 -2 2 -3 3\nS2 S 5 0 0 2\nC1 1 1 -1\nC2 1 1 -2\n", 20);
  ASSERT_TRUE(lone.read.loaded) << lone.read.console;
  const PointLocator locator(lone.read.model, WorldCubeOf(lone.set));
  const double tolerance = locator.Tolerance();
  ASSERT_GT(tolerance, 0);
  struct Face {
    int cell;
    Vec3 point, outward;
  };
  const Face faces[] = {{0, {1, 0.5, 0.5}, {1, 0, 0}},  {0, {-1, 0.5, 0.5}, {-1, 0, 0}}, {0, {0.5, 2, 0.5}, {0, 1, 0}},
                        {0, {0.5, -2, 0.5}, {0, -1, 0}}, {0, {0.5, 0.5, 3}, {0, 0, 1}},  {0, {0.5, 0.5, -3}, {0, 0, -1}},
                        {1, {7, 0, 0}, {1, 0, 0}},       {1, {3, 0, 0}, {-1, 0, 0}},     {1, {5, 0, 2}, {0, 0, 1}}};
  for (const Face& face : faces) {
    const PointCells near = locator.Locate(face.point + 0.5 * tolerance * face.outward);
    EXPECT_EQ(near.insideCount, 0) << face.point.x << " " << face.point.y << " " << face.point.z;
    EXPECT_EQ(near.boundaryCell, face.cell) << face.point.x << " " << face.point.y << " " << face.point.z;
    const PointCells beyond = locator.Locate(face.point + 3 * tolerance * face.outward);
    EXPECT_EQ(beyond.insideCount + (beyond.boundaryCell + 1), 0) << face.point.x << " " << face.point.z;
  }
}

// A box of planes turned about z: its corners bound it without any clipping.
TEST(CellBounds, PlanesTurnedOffTheAxesAreBoundedByTheirCorners) {
  TextModel turned("COMPLEX_GEOMETRY 1\nM1 \"m\"\nS1 P 1 1 0 2\nS2 P 1 1 0 -2\nS3 P 1 -1 0 2\nS4 P 1 -1 0 -2\n"
                   "S5 P 0 0 1 1\nS6 P 0 0 1 -1\nC1 1 1 -1 +2 -3 +4 -5 +6\n",
                   10);
  ASSERT_TRUE(turned.read.loaded) << turned.read.console;
  const std::vector<CellBound> bounds = FindCellBounds(turned.read.model, WorldCubeOf(turned.set), 0);
  ASSERT_EQ(bounds.size(), 1u);
  for (int axis = 0; axis < 3; ++axis) {
    const double half = axis == 2 ? 1 : 2;
    EXPECT_NEAR(Component(bounds[0].box.low, axis), -half, 1e-4) << axis;
    EXPECT_NEAR(Component(bounds[0].box.high, axis), half, 1e-4) << axis;
  }
}

}  // namespace
}  // namespace tessarin::preview
