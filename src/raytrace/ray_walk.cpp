#include "raytrace/ray_walk.h"

#include <algorithm>

#include "raytrace/span_list.h"

namespace tessarin::raytrace {

namespace {

struct Later {
  bool operator()(const TraceScratch::Opened& a, const TraceScratch::Opened& b) const { return a.entry > b.entry; }
};

bool Contains(const std::vector<std::int32_t>& cells, std::int32_t cell) {
  return std::find(cells.begin(), cells.end(), cell) != cells.end();
}

}  // namespace

void TraceScratch::Fit(const RayEngine& engine) {
  const auto surfaces = static_cast<std::size_t>(engine.SurfaceCount());
  const auto cells = static_cast<std::size_t>(engine.CellCount());
  if (surfaceMark_.size() != surfaces) {
    surfaceMark_.assign(surfaces, 0);
    surfaceSide_.resize(surfaces);
    surfaceStamp_ = 0;
  }
  if (cellMark_.size() != cells) {
    cellMark_.assign(cells, 0);
    cellSlot_.assign(cells, -1);
    lastSpan_.assign(cells, -1);
    cellStamp_ = 0;
  }
}

std::uint32_t TraceScratch::NextStamp(std::vector<std::uint32_t>& marks, std::uint32_t& stamp) {
  if (++stamp == 0) {
    std::fill(marks.begin(), marks.end(), 0);
    stamp = 1;
  }
  return stamp;
}

RayWalk::RayWalk(const RayEngine& engine, TraceScratch& scratch, const Ray& ray, double from, double to)
    : engine_(engine), scratch_(scratch), ray_(ray), probe_(ray) {
  scratch_.Fit(engine_);
  scratch_.NextStamp(scratch_.surfaceMark_, scratch_.surfaceStamp_);
  scratch_.NextStamp(scratch_.cellMark_, scratch_.cellStamp_);
  scratch_.heap_.clear();
  scratch_.candidates_.clear();
  scratch_.ownPool_.clear();
  scratch_.runningOn_.clear();
  double entry = 0, exit = 0;
  finished_ = engine_.hierarchy_.Empty() || !probe_.Through(engine_.worldBox_, from, to, entry, exit) ||
              !(entry < exit);
  start_ = settled_ = entry;
  end_ = exit;
  if (finished_) return;
  const CellHierarchy::Node& root = engine_.hierarchy_.Root();
  if (probe_.Through(root.box, start_, end_, entry, exit)) scratch_.heap_.push_back({entry, 0});
}

void RayWalk::Open(std::int32_t node) {
  const CellHierarchy& hierarchy = engine_.hierarchy_;
  const CellHierarchy::Node& opened = hierarchy.At(node);
  if (opened.count > 0) {
    for (std::int32_t item = opened.first; item < opened.first + opened.count; ++item) AddCell(hierarchy.Cell(item));
    return;
  }
  for (std::int32_t child = opened.first; child < opened.first + 2; ++child) {
    const CellHierarchy::Node& box = hierarchy.At(child);
    double entry = 0, exit = 0;
    if (!probe_.Through(box.box, start_, end_, entry, exit)) continue;
    scratch_.heap_.push_back({entry, child});
    std::push_heap(scratch_.heap_.begin(), scratch_.heap_.end(), Later{});
  }
}

void RayWalk::AddCell(std::int32_t cell) {
  double entry = 0, exit = 0;
  if (!probe_.Through(engine_.cellBoxes_[static_cast<std::size_t>(cell)], start_, end_, entry, exit)) return;
  // A cell the ray does not enter takes no part; the cells around it are
  // found through their own boxes.
  OwnRegion(cell);
  if (scratch_.own_.empty()) return;
  const auto index = static_cast<std::size_t>(cell);
  scratch_.cellMark_[index] = scratch_.cellStamp_;
  scratch_.cellSlot_[index] = static_cast<std::int32_t>(scratch_.candidates_.size());
  const auto first = static_cast<std::uint32_t>(scratch_.ownPool_.size());
  scratch_.ownPool_.insert(scratch_.ownPool_.end(), scratch_.own_.begin(), scratch_.own_.end());
  scratch_.candidates_.push_back(
      {cell, engine_.cells_[index].depth, exit, first, static_cast<std::uint32_t>(scratch_.own_.size())});
}

const Span& RayWalk::SideOf(std::int32_t surface) {
  const auto index = static_cast<std::size_t>(surface);
  Span& side = scratch_.surfaceSide_[index];
  if (scratch_.surfaceMark_[index] != scratch_.surfaceStamp_) {
    scratch_.surfaceMark_[index] = scratch_.surfaceStamp_;
    side = NegativeSide(engine_.surfaces_[index], ray_);
    side.entrySurface = side.exitSurface = surface;
  }
  return side;
}

void RayWalk::OwnRegion(std::int32_t cell) {
  const RayEngine::Cell& record = engine_.cells_[static_cast<std::size_t>(cell)];
  const double from = start_, to = end_;
  Span convex;
  convex.entry = from;
  convex.exit = to;
  std::vector<Span>& holes = scratch_.holes_;
  holes.clear();
  scratch_.own_.clear();
  for (std::uint32_t k = record.firstTerm; k < record.firstTerm + record.termCount; ++k) {
    const RayEngine::Term& term = engine_.terms_[k];
    const Span& side = SideOf(term.surface);
    if (term.sense < 0) {
      if (side.entry >= convex.entry) {
        convex.entry = side.entry;
        convex.entrySurface = term.surface;
      }
      if (side.exit <= convex.exit) {
        convex.exit = side.exit;
        convex.exitSurface = term.surface;
      }
    } else if (side.Empty()) {
      continue;
    } else if (side.entry == -HUGE_VAL && side.exit == HUGE_VAL) {
      return;
    } else if (side.entry == -HUGE_VAL) {
      if (side.exit >= convex.entry) {
        convex.entry = side.exit;
        convex.entrySurface = term.surface;
      }
    } else if (side.exit == HUGE_VAL) {
      if (side.entry <= convex.exit) {
        convex.exit = side.entry;
        convex.exitSurface = term.surface;
      }
    } else if (side.exit > from && side.entry < to) {
      holes.push_back(side);
    }
    if (convex.Empty()) return;
  }
  scratch_.own_.push_back(convex);
  if (holes.empty()) return;
  Merge(holes);
  Subtract(scratch_.own_, holes, scratch_.region_);
  scratch_.own_.swap(scratch_.region_);
}

void RayWalk::Settle(double from, double to, std::vector<CellPiece>& pieces) {
  std::vector<TraceScratch::Candidate>& candidates = scratch_.candidates_;
  std::vector<std::int32_t>& order = scratch_.order_;
  order.resize(candidates.size());
  for (std::size_t k = 0; k < candidates.size(); ++k) order[k] = static_cast<std::int32_t>(k);
  // Nested cells first: what they hold is taken from the cells around them.
  if (order.size() > 1)
    std::sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
      return candidates[static_cast<std::size_t>(a)].depth > candidates[static_cast<std::size_t>(b)].depth;
    });
  if (scratch_.excluded_.size() < candidates.size()) scratch_.excluded_.resize(candidates.size());
  for (std::size_t k = 0; k < candidates.size(); ++k) scratch_.excluded_[k].clear();

  scratch_.nextRunningOn_.clear();
  const std::int32_t cellCount = engine_.CellCount();
  for (std::int32_t slot : order) {
    const TraceScratch::Candidate& candidate = candidates[static_cast<std::size_t>(slot)];
    const std::int32_t cell = candidate.cell;
    // Its own stretches, cut to this part of the ray.
    scratch_.own_.clear();
    for (std::uint32_t k = candidate.ownFirst; k < candidate.ownFirst + candidate.ownCount; ++k) {
      Span span = scratch_.ownPool_[k];
      if (span.exit <= from || span.entry >= to) continue;
      if (span.entry < from) {
        span.entry = from;
        span.entrySurface = kTraceLimit;
      }
      if (span.exit > to) {
        span.exit = to;
        span.exitSurface = kTraceLimit;
      }
      scratch_.own_.push_back(span);
    }
    std::vector<Span>& excluded = scratch_.excluded_[static_cast<std::size_t>(slot)];
    if (!scratch_.own_.empty() && !excluded.empty()) {
      Merge(excluded);
      Subtract(scratch_.own_, excluded, scratch_.region_);
      scratch_.own_.swap(scratch_.region_);
    }
    if (scratch_.own_.empty()) continue;
    for (const Span& span : scratch_.own_) {
      pieces.push_back({cell, span, span.entry == from && Contains(scratch_.runningOn_, cell)});
      if (span.exit == to && to < end_) scratch_.nextRunningOn_.push_back(cell);
    }
    // Every enclosing cell met by the ray loses this cell's stretches.
    std::int32_t steps = 0;
    for (std::int32_t at = engine_.cells_[static_cast<std::size_t>(cell)].parent; at >= 0 && steps <= cellCount;
         at = engine_.cells_[static_cast<std::size_t>(at)].parent, ++steps) {
      const auto index = static_cast<std::size_t>(at);
      if (scratch_.cellMark_[index] != scratch_.cellStamp_ || scratch_.cellSlot_[index] < 0) continue;
      std::vector<Span>& outer = scratch_.excluded_[static_cast<std::size_t>(scratch_.cellSlot_[index])];
      outer.insert(outer.end(), scratch_.own_.begin(), scratch_.own_.end());
    }
  }
  if (pieces.size() > 1)
    std::sort(pieces.begin(), pieces.end(), [](const CellPiece& a, const CellPiece& b) {
      return a.span.entry < b.span.entry || (a.span.entry == b.span.entry && a.cell < b.cell);
    });
  scratch_.runningOn_.swap(scratch_.nextRunningOn_);
}

bool RayWalk::Next(std::vector<CellPiece>& pieces) {
  pieces.clear();
  if (finished_) return false;
  std::vector<TraceScratch::Opened>& heap = scratch_.heap_;
  // Open boxes until the nearest unopened one lies beyond what is settled
  // and there is something to settle.
  while (!heap.empty()) {
    const TraceScratch::Opened nearest = heap.front();
    if (nearest.entry > settled_ && !scratch_.candidates_.empty()) break;
    std::pop_heap(heap.begin(), heap.end(), Later{});
    heap.pop_back();
    Open(nearest.node);
  }
  const double to = heap.empty() ? end_ : std::min(end_, heap.front().entry);
  if (!scratch_.candidates_.empty()) Settle(settled_, to, pieces);
  settled_ = to;
  finished_ = to >= end_;

  // Cells whose boxes end here take no part further on.
  std::vector<TraceScratch::Candidate>& candidates = scratch_.candidates_;
  std::size_t kept = 0;
  for (const TraceScratch::Candidate& candidate : candidates) {
    if (candidate.boxExit <= to) {
      scratch_.cellSlot_[static_cast<std::size_t>(candidate.cell)] = -1;
      continue;
    }
    scratch_.cellSlot_[static_cast<std::size_t>(candidate.cell)] = static_cast<std::int32_t>(kept);
    candidates[kept++] = candidate;
  }
  candidates.resize(kept);
  return true;
}

}  // namespace tessarin::raytrace
