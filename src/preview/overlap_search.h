#pragma once
// The search for overlaps (points in two or more cells) and undefined
// regions (points in no cell that the model encloses) across a box: K slices
// across each axis, scanned on a grid, and M random points. A point in no
// cell is undefined when the flood fill of its slice from the box's edge
// cannot reach it; each overlapping pair of cells and each undefined region
// is told once, with one point of it.

#include <atomic>
#include <string>
#include <vector>

#include "preview/point_locator.h"

namespace tessarin::preview {

struct OverlapSearchOptions {
  Box3 region;           // where to look
  int slicesPerAxis = 16;
  int pixels = 200;      // grid points across a slice's longer side
  int randomPoints = 100000;
  unsigned seed = 1;
};

struct OverlapFinding {
  int firstCell = -1;   // cell indices, firstCell < secondCell
  int secondCell = -1;
  Vec3 at;
};

struct UndefinedFinding {
  Vec3 at;
  std::vector<int> borderingCells;  // the cells around it in its slice, ascending
};

struct OverlapSearchResult {
  std::vector<OverlapFinding> overlaps;  // by pair
  std::vector<UndefinedFinding> undefined;
  long long pointsTested = 0;
  bool cancelled = false;
  bool Clean() const { return overlaps.empty() && undefined.empty(); }
};

// The view cube: viewCenter ± viewSize/2.
Box3 ViewCube(const Vec3& viewCenter, double viewSize);

OverlapSearchResult SearchOverlaps(const PointLocator& locator, const OverlapSearchOptions& options,
                                   const std::atomic<bool>* cancel = nullptr);

}  // namespace tessarin::preview
