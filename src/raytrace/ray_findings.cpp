#include "raytrace/ray_findings.h"

#include <algorithm>

namespace tessarin::raytrace {

void FindOverlapsAndGaps(const std::vector<CellSpan>& spans, double tolerance, RayFindings& findings) {
  findings.overlaps.clear();
  findings.gaps.clear();
  double reached = -HUGE_VAL;            // the furthest exit so far
  std::vector<const CellSpan*> running;  // spans not yet ended
  for (const CellSpan& here : spans) {
    if (&here != &spans.front() && here.span.entry - reached > tolerance)
      findings.gaps.push_back({reached, here.span.entry});
    reached = std::max(reached, here.span.exit);
    // Spans come by entry: the ones that began earlier and end after this
    // one begins share a stretch with it.
    std::erase_if(running, [&](const CellSpan* other) { return other->span.exit <= here.span.entry; });
    for (const CellSpan* other : running) {
      const double to = std::min(here.span.exit, other->span.exit);
      if (other->cell == here.cell || to - here.span.entry <= tolerance) continue;
      findings.overlaps.push_back(
          {std::min(here.cell, other->cell), std::max(here.cell, other->cell), here.span.entry, to});
    }
    running.push_back(&here);
  }
}

}  // namespace tessarin::raytrace
