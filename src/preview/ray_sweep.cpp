#include "preview/ray_sweep.h"

#include <algorithm>

namespace tessarin::preview {

void RaySweep::Run(const std::vector<raytrace::CellSpan>& spans, std::int32_t cellCount, double tolerance,
                   SweptRay& out) {
  out.hitsCells = false;
  out.overlaps.clear();
  out.gaps.clear();
  events_.clear();
  for (const raytrace::CellSpan& span : spans) {
    if (span.span.Empty() || span.cell < 0 || span.cell >= cellCount) continue;
    events_.push_back({span.span.entry, span.cell, true});
    events_.push_back({span.span.exit, span.cell, false});
  }
  if (events_.empty()) return;
  // Exits first where a stretch ends as another begins.
  std::sort(events_.begin(), events_.end(),
            [](const Event& a, const Event& b) { return a.at != b.at ? a.at < b.at : (!a.entering && b.entering); });
  out.hitsCells = true;
  out.firstEntry = events_.front().at;
  out.lastExit = events_.back().at;
  slot_.resize(static_cast<std::size_t>(cellCount), -1);
  active_.clear();
  std::int32_t lastLeft = -1;
  std::size_t k = 0;
  while (k < events_.size()) {
    const double at = events_[k].at;
    for (; k < events_.size() && events_[k].at == at; ++k) {
      const Event& event = events_[k];
      std::int32_t& slot = slot_[static_cast<std::size_t>(event.cell)];
      if (event.entering) {
        if (slot >= 0) continue;  // stretches of one cell that touch
        slot = static_cast<std::int32_t>(active_.size());
        active_.push_back(event.cell);
      } else if (slot >= 0) {
        const std::int32_t moved = active_.back();
        active_[static_cast<std::size_t>(slot)] = moved;
        slot_[static_cast<std::size_t>(moved)] = slot;
        active_.pop_back();
        slot = -1;
        lastLeft = event.cell;
      }
    }
    if (k == events_.size()) break;
    const double next = events_[k].at;
    if (!(next - at > tolerance)) continue;
    if (active_.empty()) {
      out.gaps.push_back({at, next, lastLeft, events_[k].cell});
    } else if (active_.size() >= 2) {
      SweptOverlap overlap{at, next, active_};
      std::sort(overlap.cells.begin(), overlap.cells.end());
      out.overlaps.push_back(std::move(overlap));
    }
  }
  for (std::int32_t cell : active_) slot_[static_cast<std::size_t>(cell)] = -1;
}

}  // namespace tessarin::preview
