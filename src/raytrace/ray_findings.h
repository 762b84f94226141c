#pragma once
// What a traced ray says about the model: stretches that two cells claim at
// once (overlaps) and stretches between cells that no cell claims
// (undefined), for the overlap search and the tests.

#include <cstdint>
#include <vector>

#include "raytrace/ray_engine.h"

namespace tessarin::raytrace {

struct RayOverlap {
  std::int32_t firstCell = -1, secondCell = -1;  // first < second
  double from = 0, to = 0;
};

struct RayGap {
  double from = 0, to = 0;
};

struct RayFindings {
  std::vector<RayOverlap> overlaps;
  std::vector<RayGap> gaps;  // between the first entry into a cell and the last exit
};

// From the stretches of one trace (ordered by entry); stretches not longer
// than `tolerance` are noise and left out.
void FindOverlapsAndGaps(const std::vector<CellSpan>& spans, double tolerance, RayFindings& findings);

}  // namespace tessarin::raytrace
