#pragma once
// What one traced ray crosses: the stretches two or more cells claim at once
// and the stretches between its first entry into a cell and its last exit
// that no cell claims. Stretches are cut where any cell begins or ends, so
// a hundred cells on the same stretch make one record, not 4,950 pairs.

#include <cstdint>
#include <vector>

#include "raytrace/ray_engine.h"

namespace tessarin::preview {

struct SweptOverlap {
  double from = 0, to = 0;
  std::vector<std::int32_t> cells;  // ascending, at least two
};

struct SweptGap {
  double from = 0, to = 0;
  std::int32_t before = -1, after = -1;  // the cells the ray leaves and enters there
};

struct SweptRay {
  bool hitsCells = false;
  double firstEntry = 0, lastExit = 0;  // when it hits cells
  std::vector<SweptOverlap> overlaps;
  std::vector<SweptGap> gaps;
};

// Reusable working storage; one per thread.
class RaySweep {
 public:
  // Stretches not longer than `tolerance` are noise and left out.
  void Run(const std::vector<raytrace::CellSpan>& spans, std::int32_t cellCount, double tolerance, SweptRay& out);

 private:
  struct Event {
    double at;
    std::int32_t cell;
    bool entering;
  };
  std::vector<Event> events_;
  std::vector<std::int32_t> active_;
  std::vector<std::int32_t> slot_;  // per cell: its place in active_, or -1
};

}  // namespace tessarin::preview
