#pragma once
// Joins the undefined stretches the fault search found into regions: two
// stretches on neighbouring parallel rays that share a part of their length
// are one region, and so are stretches of rays along different axes that
// hold the same grid node. A region that meets the stretch of some ray
// before its first cell or after its last one can be reached from outside
// the model; the others are enclosed, and a particle there is lost.

#include <array>
#include <cstdint>
#include <vector>

#include "preview/ray_grid.h"
#include "preview/ray_sweep.h"

namespace tessarin::preview {

// What the rays along one axis found, ray by ray (numbered as RayGrid does).
struct AxisStretches {
  std::vector<std::uint8_t> hitsCells;
  std::vector<double> firstEntry, lastExit;
  std::vector<std::uint32_t> gapStart;  // per ray, then one past the last: its gaps in `gaps`
  std::vector<SweptGap> gaps;           // ray after ray, each ray's in order along it
};

struct GapRegions {
  std::array<std::vector<std::int32_t>, 3> regionOf;  // per axis, per gap: its region
  std::vector<bool> reachable;                        // per region: reachable from outside
  int Count() const { return static_cast<int>(reachable.size()); }
};

// `tolerance`: stretches sharing no more than this are apart.
GapRegions ConnectGaps(const RayGrid& grid, const std::array<AxisStretches, 3>& axes, double tolerance);

}  // namespace tessarin::preview
