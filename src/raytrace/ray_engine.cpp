#include "raytrace/ray_engine.h"

#include <algorithm>

#include "raytrace/ray_walk.h"

namespace tessarin::raytrace {

namespace {

CellBox Within(const CellBox& box, const CellBox& world) {
  CellBox cut;
  cut.low = {std::max(box.low.x, world.low.x), std::max(box.low.y, world.low.y), std::max(box.low.z, world.low.z)};
  cut.high = {std::min(box.high.x, world.high.x), std::min(box.high.y, world.high.y),
              std::min(box.high.z, world.high.z)};
  cut.empty = box.empty || cut.low.x > cut.high.x || cut.low.y > cut.high.y || cut.low.z > cut.high.z;
  return cut;
}

}  // namespace

RayEngine::RayEngine(const input::GeometryModel& model, const CellBox& world, const std::vector<CellBox>& boxes)
    : world_(world),
      worldBox_(AxisBoxOf(world.low, world.high)),
      hierarchy_({}),
      tolerance_(model.precision.distancePrecision) {
  surfaces_.reserve(model.surfaces.size());
  for (const input::SurfaceRecord& surface : model.surfaces) surfaces_.push_back(ShapeOf(surface));

  const auto cellCount = static_cast<std::int32_t>(model.cells.size());
  cells_.resize(model.cells.size());
  std::vector<CellBox> within(model.cells.size());
  for (std::size_t i = 0; i < model.cells.size(); ++i) {
    const input::CellRecord& record = model.cells[i];
    Cell& cell = cells_[i];
    cell.firstTerm = static_cast<std::uint32_t>(terms_.size());
    for (std::size_t k = 0; k < record.surfaces.size() && k < record.senses.size(); ++k)
      if (record.surfaces[k] < surfaces_.size())
        terms_.push_back({static_cast<std::int32_t>(record.surfaces[k]), record.senses[k] < 0 ? -1 : 1});
    cell.termCount = static_cast<std::uint32_t>(terms_.size()) - cell.firstTerm;
    cell.parent = record.enclosingCell >= 0 && record.enclosingCell < cellCount ? record.enclosingCell : -1;
    within[i] = Within(i < boxes.size() ? boxes[i] : world, world);
    // A cell without surfaces would be everywhere; the reader never makes one.
    if (cell.termCount == 0) within[i].empty = true;
  }
  // Enclosing cells are defined after the cells they enclose, so the chains
  // are short and end; the bound keeps a damaged model from looping.
  for (std::size_t i = 0; i < cells_.size(); ++i) {
    std::int32_t depth = 0;
    for (std::int32_t at = cells_[i].parent; at >= 0 && depth <= cellCount; at = cells_[static_cast<std::size_t>(at)].parent)
      ++depth;
    cells_[i].depth = depth;
  }
  terms_.shrink_to_fit();
  hierarchy_ = CellHierarchy(within);
  cellBoxes_.reserve(within.size());
  for (const CellBox& box : within) cellBoxes_.push_back(AxisBoxOf(box.low, box.high));
}

bool RayEngine::ClipToWorld(const Ray& ray, double& from, double& to) const {
  double entry = 0, exit = 0;
  if (!BoxProbe(ray).Through(worldBox_, from, to, entry, exit)) return false;
  from = entry;
  to = exit;
  return from < to;
}

void RayEngine::Trace(const Ray& ray, double from, double to, TraceScratch& scratch,
                      std::vector<CellSpan>& out) const {
  out.clear();
  RayWalk walk(*this, scratch, ray, from, to);
  std::vector<std::int32_t>& last = scratch.lastSpan_;
  std::vector<CellPiece>& pieces = scratch.pieces_;
  while (walk.Next(pieces)) {
    for (const CellPiece& piece : pieces) {
      std::int32_t& at = last[static_cast<std::size_t>(piece.cell)];
      if (piece.continued && at >= 0 && out[static_cast<std::size_t>(at)].span.exit == piece.span.entry) {
        Span& joined = out[static_cast<std::size_t>(at)].span;
        joined.exit = piece.span.exit;
        joined.exitSurface = piece.span.exitSurface;
        continue;
      }
      at = static_cast<std::int32_t>(out.size());
      out.push_back({piece.cell, piece.span});
    }
  }
  for (const CellSpan& span : out) last[static_cast<std::size_t>(span.cell)] = -1;
}

std::size_t RayEngine::MemoryBytes() const {
  return sizeof(*this) + surfaces_.capacity() * sizeof(SurfaceShape) + cells_.capacity() * sizeof(Cell) +
         terms_.capacity() * sizeof(Term) + cellBoxes_.capacity() * sizeof(AxisBox) + hierarchy_.MemoryBytes();
}

}  // namespace tessarin::raytrace
