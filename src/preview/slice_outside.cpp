#include "preview/slice_outside.h"

#include <algorithm>
#include <cmath>

namespace tessarin::preview {

namespace {

// Steps of the walk towards the world's edge before it is taken as reaching it.
constexpr int kMostSteps = 20000;

bool Empty(const PixelCells& pixel) { return pixel.kind == PixelKind::NoCell || pixel.kind == PixelKind::Boundary; }

// Whether the ray from `point` along `direction` meets the box of a cell
// before leaving the world.
bool MeetsACellBox(const PointLocator& locator, const Vec3& point, const Vec3& direction) {
  for (const CellBound& bound : locator.Bounds()) {
    if (bound.empty) continue;
    double near = 0, far = HUGE_VAL;
    for (int axis = 0; axis < 3 && near <= far; ++axis) {
      const double p = Component(point, axis), d = Component(direction, axis);
      const double low = Component(bound.box.low, axis), high = Component(bound.box.high, axis);
      if (d == 0) {
        if (p < low || p > high) far = -1;
        continue;
      }
      const double a = (low - p) / d, b = (high - p) / d;
      near = std::max(near, std::min(a, b));
      far = std::min(far, std::max(a, b));
    }
    if (near <= far) return true;
  }
  return false;
}

// Whether one can walk from `point` along `direction` out of the world
// without entering a cell.
bool LeavesWorld(const PointLocator& locator, Vec3 point, const Vec3& direction, double step, LocatorScratch& scratch) {
  if (!MeetsACellBox(locator, point, direction)) return true;
  for (int k = 0; k < kMostSteps; ++k) {
    if (!locator.World().Contains(point)) return true;
    double clearance = 0;
    if (locator.Locate(point, direction, scratch, clearance).insideCount > 0) return false;
    point = point + std::max(clearance + 0.5 * step, step) * direction;
  }
  return true;
}

}  // namespace

std::vector<bool> OutsideSeeds(const PointLocator& locator, const SliceFrame& frame, const SliceCells& cells) {
  std::vector<bool> seeds(cells.pixels.size(), false);
  if (cells.wide <= 0 || cells.high <= 0) return seeds;
  LocatorScratch scratch;
  const double step = frame.PixelSize();
  // Each edge, its pixels in order and the way out of the picture there.
  struct Edge {
    int column, row, columnStep, rowStep, count;
    Vec3 outwards;
  };
  const Edge edges[] = {{0, 0, 1, 0, cells.wide, frame.up},
                        {0, cells.high - 1, 1, 0, cells.wide, -frame.up},
                        {0, 0, 0, 1, cells.high, -frame.right},
                        {cells.wide - 1, 0, 0, 1, cells.high, frame.right}};
  for (const Edge& edge : edges) {
    // A run of empty pixels along the edge is joined within the picture:
    // one of them leading out is enough. Its first, middle and last are tried.
    int k = 0;
    while (k < edge.count) {
      auto at = [&](int i) { return (edge.row + i * edge.rowStep) * cells.wide + edge.column + i * edge.columnStep; };
      if (!Empty(cells.pixels[static_cast<std::size_t>(at(k))])) {
        ++k;
        continue;
      }
      int end = k;
      while (end < edge.count && Empty(cells.pixels[static_cast<std::size_t>(at(end))])) ++end;
      for (int i : {k, (k + end - 1) / 2, end - 1}) {
        const double column = edge.column + i * edge.columnStep, row = edge.row + i * edge.rowStep;
        const Vec3 point = SlicePoint(locator, frame, column, row);
        if (!LeavesWorld(locator, point, edge.outwards, step, scratch)) continue;
        for (int j = k; j < end; ++j) seeds[static_cast<std::size_t>(at(j))] = true;
        break;
      }
      k = end;
    }
  }
  return seeds;
}

}  // namespace tessarin::preview
