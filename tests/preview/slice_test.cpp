#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>

#include "preview/preview_models.h"
#include "preview/set_world.h"
#include "preview/slice_frame.h"
#include "preview/slice_picture.h"
#include "preview/slice_scan.h"
#include "render/script_check/random_model.h"

namespace tessarin::preview {
namespace {

using testing::TextModel;

std::map<Rgb, int> CountColours(const RgbImage& image) {
  std::map<Rgb, int> counts;
  for (int row = 0; row < image.height; ++row)
    for (int column = 0; column < image.width; ++column) ++counts[image.At(column, row)];
  return counts;
}

// A 10 cm wide picture of the sphere in the box: each colour covers its
// exact area, up to the one-pixel lines drawn along the two outlines.
TEST(Slice, ASphereInABoxCoversItsExactAreasInEveryBasis) {
  TextModel model(testing::kSphereInBox, 10);
  ASSERT_TRUE(model.read.loaded) << model.read.console;
  const PointLocator locator(model.read.model, WorldCubeOf(model.set));
  const std::vector<Rgb> colours = CellColours(model.read.model, model.set);
  ASSERT_EQ(colours.size(), 2u);
  ASSERT_NE(colours[0], colours[1]);
  for (SliceBasis basis : {SliceBasis::XY, SliceBasis::XZ, SliceBasis::YZ, SliceBasis::View}) {
    SCOPED_TRACE(std::string(SliceBasisName(basis)));
    const SliceFrame frame = DefaultSliceFrame(model.set, basis, 500, 400);
    const SliceCells cells = ScanSlice(locator, frame);
    ASSERT_EQ(cells.wide, 500);
    const RgbImage image = PaintSlice(cells, colours);
    std::map<Rgb, int> counts = CountColours(image);
    const double pixelArea = frame.PixelSize() * frame.PixelSize();
    const double sphere = std::numbers::pi * 4 / pixelArea;
    const double box = (basis == SliceBasis::View ? -1 : 64 / pixelArea - sphere);
    const double picture = 500.0 * 400;
    const double lines = (4 * std::numbers::pi + 4 * 8) / frame.PixelSize();
    EXPECT_NEAR(counts[colours[0]], sphere, 0.02 * sphere + 4 * std::numbers::pi / frame.PixelSize());
    if (box > 0) {
      EXPECT_NEAR(counts[colours[1]], box, 0.01 * box + lines);
      EXPECT_NEAR(counts[kOutsideColour], picture - 64 / pixelArea, 0.01 * picture + 32 / frame.PixelSize());
    }
    EXPECT_LT(counts[kBoundaryColour], 1.5 * lines);
    EXPECT_GT(counts[kBoundaryColour], 0.5 * (4 * std::numbers::pi) / frame.PixelSize());
    EXPECT_EQ(counts[kGapColour], 0);
    EXPECT_EQ(counts[kOverlapColour] + counts[kOverlapStripeColour], 0);
  }
}

TEST(Slice, OverlapsAreStripedRedAndEnclosedGapsMagenta) {
  TextModel model(testing::kPlantedFaults, 12);
  ASSERT_TRUE(model.read.loaded) << model.read.console;
  const PointLocator locator(model.read.model, WorldCubeOf(model.set));
  const SliceFrame frame = DefaultSliceFrame(model.set, SliceBasis::XY, 600, 600);  // 0.02 cm pixels
  const SliceCells cells = ScanSlice(locator, frame);
  const std::map<Rgb, int> counts = CountColours(PaintSlice(cells, CellColours(model.read.model, model.set)));
  const double pixelArea = frame.PixelSize() * frame.PixelSize();
  // The slab 0.5 x 4 and the disc of radius 0.5.
  const int overlap = counts.at(kOverlapColour) + counts.at(kOverlapStripeColour);
  EXPECT_NEAR(overlap, 2 / pixelArea, 0.03 * 2 / pixelArea);
  EXPECT_GT(counts.at(kOverlapColour), overlap / 3);
  EXPECT_GT(counts.at(kOverlapStripeColour), overlap / 3);
  EXPECT_NEAR(counts.at(kGapColour), std::numbers::pi * 0.25 / pixelArea, 0.05 * std::numbers::pi * 0.25 / pixelArea);
  double column = 0, row = 0;
  frame.PixelOf({0.25, 0, 0}, column, row);
  const PixelCells& slab = cells.At(static_cast<int>(column), static_cast<int>(row));
  EXPECT_EQ(slab.kind, PixelKind::Overlap);
  EXPECT_EQ(slab.cell, 0);
  EXPECT_EQ(slab.other, 1);
}

// A half ball cut from the right one of two boxes meeting at x = 0: the gap
// touches the face between them. A column of pixels on that face must not
// let it leak out, and zoomed in until the picture's edges lie in the gap,
// it is still a gap.
TEST(Slice, AGapStaysMagentaOnAFaceAndAtEveryZoom) {
  constexpr const char* kHalfBall =
      "COMPLEX_GEOMETRY 1\nM1 \"a\"\nS1 RPP -2 0 -2 2 -2 2\nS2 RPP 0 2 -2 2 -2 2\nS3 S 0 0 0 1\n"
      "C1 1 1 -1\nC2 1 1 -2 +3\n";
  struct Case {
    double viewSize;
    Vec3 centre;
    int pixels;
    Vec3 inGap;
  };
  for (const Case& c : {Case{5, {}, 25, {0.3, 0.1, 0}}, Case{5, {}, 24, {0.3, 0.1, 0}},
                        Case{0.6, {0.5, 0, 0}, 60, {0.5, 0, 0}}, Case{0.2, {0.3, 0.2, 0}, 40, {0.3, 0.2, 0}}}) {
    SCOPED_TRACE(::testing::Message() << c.viewSize << " cm, " << c.pixels << " pixels");
    TextModel model(kHalfBall, c.viewSize);
    ASSERT_TRUE(model.read.loaded) << model.read.console;
    model.set.viewCenter = {c.centre.x, c.centre.y, c.centre.z};
    const PointLocator locator(model.read.model, WorldCube({}, 5, 50));
    const SliceFrame frame = DefaultSliceFrame(model.set, SliceBasis::XY, c.pixels, c.pixels);
    const RgbImage image = PaintSlice(ScanSlice(locator, frame), CellColours(model.read.model, model.set));
    double column = 0, row = 0;
    frame.PixelOf(c.inGap, column, row);
    EXPECT_EQ(image.At(static_cast<int>(column), static_cast<int>(row)), kGapColour);
    EXPECT_EQ(CountColours(image).count(kOutsideColour), c.viewSize > 1 ? 1u : 0u);
  }
}

TEST(Slice, TheViewBasisLooksAlongTheSetsDirection) {
  settings::VIEWPARM set;
  set.azimuth = 90;
  set.elevation = 0;
  set.twist = 0;
  Vec3 right, up;
  BasisAxes(SliceBasis::View, set, right, up);
  EXPECT_NEAR(right.x, -1, 1e-12);
  EXPECT_NEAR(up.z, 1, 1e-12);
  set.elevation = 90;
  BasisAxes(SliceBasis::View, set, right, up);
  const Vec3 normal = Cross(right, up);
  EXPECT_NEAR(normal.z, 1, 1e-12);
  EXPECT_EQ(ParseSliceBasis("yz"), SliceBasis::YZ);
  EXPECT_FALSE(ParseSliceBasis("zx").has_value());
}

TEST(Slice, ARaisedCancelFlagStopsTheScan) {
  TextModel model(testing::kSphereInBox, 10);
  ASSERT_TRUE(model.read.loaded) << model.read.console;
  const PointLocator locator(model.read.model, WorldCubeOf(model.set));
  std::atomic<bool> cancel{true};
  EXPECT_EQ(ScanSlice(locator, DefaultSliceFrame(model.set, SliceBasis::XY, 100, 100), &cancel).wide, 0);
}

}  // namespace
}  // namespace tessarin::preview

namespace tessarin::preview {
namespace {

// The scan skips pixels that cannot differ from their left neighbour; each
// must still be what locating it alone gives.
TEST(Slice, SkippedPixelsAgreeWithLocatingEachPixel) {
  for (unsigned seed = 1; seed <= 3; ++seed) {
    SCOPED_TRACE(seed);
    testing::TextModel generated(render::script_check::RandomModelInput(seed), 44);
    ASSERT_TRUE(generated.read.loaded) << generated.read.console;
    const PointLocator locator(generated.read.model, WorldCubeOf(generated.set));
    for (SliceBasis basis : {SliceBasis::XY, SliceBasis::View}) {
      const SliceFrame frame = DefaultSliceFrame(generated.set, basis, 160, 120);
      const SliceCells cells = ScanSlice(locator, frame);
      int differing = 0;
      for (int row = 0; row < frame.pixelsHigh; ++row)
        for (int column = 0; column < frame.pixelsWide; ++column) {
          const PixelCells alone = ClassifyPoint(locator.Locate(SlicePoint(locator, frame, column, row)));
          const PixelCells& scanned = cells.At(column, row);
          differing += alone.kind != scanned.kind || alone.cell != scanned.cell || alone.other != scanned.other;
        }
      EXPECT_EQ(differing, 0);
    }
  }
}

}  // namespace
}  // namespace tessarin::preview
