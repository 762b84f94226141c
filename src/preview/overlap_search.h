#pragma once
// The search for overlaps (places two or more cells hold) and undefined
// regions (places no cell holds that the model encloses: a particle there is
// lost) across a box. Rays along all three axes on a grid cross the box and
// the ray engine gives every cell along each as exact stretches, so a fault
// any ray crosses is found however thin it is; then finer rays around each
// finding measure it. Each overlapping pair of cells and each undefined
// region is told once, with a point inside it, its volume and its box.

#include <atomic>
#include <cstdint>
#include <vector>

#include "preview/box3.h"
#include "preview/cell_bounds.h"
#include "raytrace/ray_engine.h"

namespace tessarin::preview {

struct OverlapSearchOptions {
  Box3 region;            // where to look
  int raysPerSide = 400;  // rays across the region's longest side, on each axis
  int threads = 0;        // 0: one per processor
};

// Where a fault is and how big.
struct FaultExtent {
  Vec3 at;            // a point inside it
  double volume = 0;  // cm³, estimated from the rays that crossed it
  Box3 bounds;        // the box around the stretches of it the rays found
};

// Cells that all hold the same place: two for a pair. More when so many
// cells share one place that listing every pair would drown the report;
// each pair of cells is then told in one finding only.
struct OverlapFinding {
  std::vector<int> cells;  // cell indices, ascending
  FaultExtent extent;
};

struct UndefinedFinding {
  FaultExtent extent;
  std::vector<int> borderingCells;  // the cells the rays leave and enter around it, ascending
};

struct SearchProgress {
  std::atomic<long long> raysDone{0};
  std::atomic<long long> raysTotal{0};
};

struct [[nodiscard]] OverlapSearchResult {
  std::vector<OverlapFinding> overlaps;     // by cells
  std::vector<UndefinedFinding> undefined;  // enclosed regions only
  long long raysCast = 0;
  bool cancelled = false;
  [[nodiscard]] bool Clean() const { return overlaps.empty() && undefined.empty(); }
};

// Groups of more cells than this holding one place are told as one finding.
inline constexpr std::size_t kMostCellsListedAsPairs = 8;

// The view cube: viewCenter ± viewSize/2.
Box3 ViewCube(const Vec3& viewCenter, double viewSize);

// The part of `wanted` the cells reach, with a margin so that the outermost
// rays pass outside the model: the rays' spacing goes to the cells, not to
// empty space around them.
Box3 SearchRegion(const Box3& wanted, const std::vector<CellBound>& bounds);

OverlapSearchResult SearchOverlaps(const raytrace::RayEngine& engine, const OverlapSearchOptions& options,
                                   const std::atomic<bool>* cancel = nullptr, SearchProgress* progress = nullptr);

}  // namespace tessarin::preview
