#include "preview/slice_scan.h"

#include <algorithm>
#include <cmath>

#include "preview/slice_outside.h"

namespace tessarin::preview {

PixelCells ClassifyPoint(const PointCells& found) {
  PixelCells pixel;
  if (found.insideCount >= 2) {
    pixel.kind = PixelKind::Overlap;
    pixel.cell = found.inside[0];
    pixel.other = found.inside[1];
  } else if (found.insideCount == 1) {
    pixel.kind = PixelKind::Cell;
    pixel.cell = found.inside[0];
  } else if (found.boundaryCell >= 0) {
    pixel.kind = PixelKind::Boundary;
    pixel.cell = found.boundaryCell;
  }
  return pixel;
}

Vec3 SlicePoint(const PointLocator& locator, const SliceFrame& frame, double column, double row) {
  return frame.PixelCentre(column, row) + std::max(1e-3 * frame.PixelSize(), 10 * locator.Tolerance()) * frame.Normal();
}

SliceCells ScanSlice(const PointLocator& locator, const SliceFrame& frame, const std::atomic<bool>* cancel) {
  SliceCells cells;
  const int wide = frame.pixelsWide, high = frame.pixelsHigh;
  if (wide <= 0 || high <= 0) return cells;
  cells.pixels.resize(static_cast<std::size_t>(wide) * static_cast<std::size_t>(high));
  const Vec3 lift = SlicePoint(locator, frame, 0, 0) - frame.PixelCentre(0, 0);
  LocatorScratch scratch;
  // Along a row, the pixels within the clearance of a located one share its
  // cells and need no look of their own.
  const double pixel = frame.PixelSize();
  for (int row = 0; row < high; ++row) {
    if (cancel && cancel->load(std::memory_order_relaxed)) return {};
    PixelCells* line = cells.pixels.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(wide);
    for (int column = 0; column < wide;) {
      double clearance = 0;
      const PixelCells found = ClassifyPoint(locator.Locate(frame.PixelCentre(column, row) + lift, frame.right, scratch, clearance));
      const double reach = clearance / pixel;
      const int last = reach >= wide ? wide - 1 : std::min(wide - 1, column + static_cast<int>(std::ceil(reach)) - 1);
      for (int k = column; k <= std::max(column, last); ++k) line[k] = found;
      column = std::max(column, last) + 1;
    }
  }
  cells.wide = wide;
  cells.high = high;
  cells.outsideSeeds = OutsideSeeds(locator, frame, cells);
  return cells;
}

std::vector<bool> EnclosedEmptyPixels(const SliceCells& cells) {
  const std::size_t count = cells.pixels.size();
  auto passable = [&](std::size_t k) {
    const PixelKind kind = cells.pixels[k].kind;
    return kind == PixelKind::NoCell || kind == PixelKind::Boundary;
  };
  std::vector<bool> reached(count, false);
  std::vector<std::size_t> stack;
  const bool seeded = cells.outsideSeeds.size() == count;
  auto visit = [&](int column, int row, bool fromSurface) {
    if (column < 0 || row < 0 || column >= cells.wide || row >= cells.high) return;
    const std::size_t k = static_cast<std::size_t>(row) * static_cast<std::size_t>(cells.wide) +
                          static_cast<std::size_t>(column);
    if (reached[k] || !passable(k)) return;
    if (fromSurface && cells.pixels[k].kind == PixelKind::Boundary) return;
    reached[k] = true;
    stack.push_back(k);
  };
  auto seed = [&](int column, int row) {
    if (!seeded || cells.outsideSeeds[static_cast<std::size_t>(row) * static_cast<std::size_t>(cells.wide) +
                                      static_cast<std::size_t>(column)])
      visit(column, row, false);
  };
  for (int column = 0; column < cells.wide; ++column) {
    seed(column, 0);
    seed(column, cells.high - 1);
  }
  for (int row = 0; row < cells.high; ++row) {
    seed(0, row);
    seed(cells.wide - 1, row);
  }
  while (!stack.empty()) {
    const std::size_t k = stack.back();
    stack.pop_back();
    const int column = static_cast<int>(k % static_cast<std::size_t>(cells.wide));
    const int row = static_cast<int>(k / static_cast<std::size_t>(cells.wide));
    const bool fromSurface = cells.pixels[k].kind == PixelKind::Boundary;
    visit(column - 1, row, fromSurface);
    visit(column + 1, row, fromSurface);
    visit(column, row - 1, fromSurface);
    visit(column, row + 1, fromSurface);
  }
  std::vector<bool> enclosed(count, false);
  for (std::size_t k = 0; k < count; ++k) enclosed[k] = cells.pixels[k].kind == PixelKind::NoCell && !reached[k];
  return enclosed;
}

}  // namespace tessarin::preview
