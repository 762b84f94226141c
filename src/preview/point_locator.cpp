#include "preview/point_locator.h"

#include <algorithm>
#include <cmath>

#include "input/kernel/surface_pair_side.h"

namespace tessarin::preview {

namespace {

// Verdicts, ordered so that "and" is the minimum and "or" the maximum.
constexpr std::uint8_t kOutside = 0;
constexpr std::uint8_t kOnBoundary = 1;
constexpr std::uint8_t kInside = 2;
constexpr std::uint8_t kUnknown = 3;
constexpr std::uint8_t kInProgress = 4;

constexpr std::uint8_t Negated(std::uint8_t verdict) { return static_cast<std::uint8_t>(kInside - verdict); }

constexpr int kVoxelsPerCell = 8;
// Small models get a finer grid than their cell count asks for: a query then
// meets about one cell besides the one around it.
constexpr double kFewestVoxels = 32768;
constexpr int kMaxVoxelsPerAxis = 160;

// How far one can go from p along d before entering the box (p outside it).
double TravelToBox(const Box3& box, const Vec3& p, const Vec3& d) {
  double entry = 0;
  for (int axis = 0; axis < 3; ++axis) {
    const double at = Component(p, axis), step = Component(d, axis);
    const double low = Component(box.low, axis), high = Component(box.high, axis);
    if (at < low) entry = std::max(entry, step > 0 ? (low - at) / step : HUGE_VAL);
    else if (at > high) entry = std::max(entry, step < 0 ? (high - at) / step : HUGE_VAL);
  }
  return entry;
}

// How far one can go from p along d before leaving the box (p inside it).
double TravelInBox(const Box3& box, const Vec3& p, const Vec3& d) {
  double exit = HUGE_VAL;
  for (int axis = 0; axis < 3; ++axis) {
    const double at = Component(p, axis), step = Component(d, axis);
    if (step > 0) exit = std::min(exit, (Component(box.high, axis) - at) / step);
    else if (step < 0) exit = std::min(exit, (Component(box.low, axis) - at) / step);
  }
  return std::max(0.0, exit);
}

}  // namespace

Box3 WorldCube(const Vec3& viewCenter, double viewSize, double maximumObjectSizeRatio) {
  const double half = 0.5 * viewSize * maximumObjectSizeRatio;
  return {viewCenter - Vec3{half, half, half}, viewCenter + Vec3{half, half, half}};
}

PointLocator::PointLocator(const input::GeometryModel& model, const Box3& world, int clipCycles)
    : model_(model), world_(world), bounds_(FindCellBounds(model, world, clipCycles)) {
  tolerance_ = model.precision.distancePrecision;
  sortedComplements_.resize(model.cells.size());
  for (std::size_t i = 0; i < model.cells.size(); ++i) {
    sortedComplements_[i] = model.cells[i].complementCells;
    std::sort(sortedComplements_[i].begin(), sortedComplements_[i].end());
  }
  BuildGrid();
}

void PointLocator::BuildGrid() {
  // The grid covers the cells that stay clear of the world's faces; the few
  // that fill the world around them are looked at wherever the grid is not.
  bool any = false;
  extent_ = Box3{{HUGE_VAL, HUGE_VAL, HUGE_VAL}, {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL}};
  for (const CellBound& bound : bounds_) {
    if (bound.empty) continue;
    bool reachesWorld = false;
    for (int axis = 0; axis < 3; ++axis)
      reachesWorld = reachesWorld || Component(bound.box.low, axis) <= Component(world_.low, axis) ||
                     Component(bound.box.high, axis) >= Component(world_.high, axis);
    if (reachesWorld) continue;
    any = true;
    for (int axis = 0; axis < 3; ++axis) {
      Component(extent_.low, axis) = std::min(Component(extent_.low, axis), Component(bound.box.low, axis));
      Component(extent_.high, axis) = std::max(Component(extent_.high, axis), Component(bound.box.high, axis));
    }
  }
  if (!any) extent_ = world_;
  const Vec3 size = extent_.high - extent_.low;
  const double volume = std::max(size.x, 1e-300) * std::max(size.y, 1e-300) * std::max(size.z, 1e-300);
  const double wanted = std::max(kFewestVoxels, static_cast<double>(bounds_.size()) * kVoxelsPerCell);
  const double edge = std::cbrt(volume / wanted);
  for (int axis = 0; axis < 3; ++axis) {
    const double length = Component(size, axis);
    int count = edge > 0 && std::isfinite(length / edge) ? static_cast<int>(std::ceil(length / edge)) : 1;
    count = std::clamp(count, 1, kMaxVoxelsPerAxis);
    cells_[static_cast<std::size_t>(axis)] = count;
    Component(voxelSize_, axis) = length > 0 ? length / count : 1;
  }
  // The voxels' cells in one array, each voxel's run found by its start:
  // counted first, then filled.
  struct Span {
    std::array<int, 3> first{}, last{};
  };
  std::vector<Span> spans(bounds_.size());
  std::vector<std::uint32_t> counts(static_cast<std::size_t>(cells_[0]) * cells_[1] * cells_[2] + 1, 0);
  auto forEachVoxel = [&](const Span& span, auto&& visit) {
    for (int x = span.first[0]; x <= span.last[0]; ++x)
      for (int y = span.first[1]; y <= span.last[1]; ++y)
        for (int z = span.first[2]; z <= span.last[2]; ++z)
          visit((static_cast<std::size_t>(x) * cells_[1] + y) * cells_[2] + z);
  };
  for (std::size_t i = 0; i < bounds_.size(); ++i) {
    if (bounds_[i].empty) continue;
    const Box3& box = bounds_[i].box;
    bool beyond = false;
    for (int axis = 0; axis < 3; ++axis) {
      const double low = (Component(box.low, axis) - Component(extent_.low, axis)) / Component(voxelSize_, axis);
      const double high = (Component(box.high, axis) - Component(extent_.low, axis)) / Component(voxelSize_, axis);
      const int count = cells_[static_cast<std::size_t>(axis)];
      beyond = beyond || low < 0 || high > count;
      spans[i].first[static_cast<std::size_t>(axis)] = std::clamp(static_cast<int>(std::floor(low)), 0, count - 1);
      spans[i].last[static_cast<std::size_t>(axis)] = std::clamp(static_cast<int>(std::floor(high)), 0, count - 1);
    }
    if (beyond) far_.push_back(static_cast<int>(i));
    forEachVoxel(spans[i], [&](std::size_t voxel) { ++counts[voxel + 1]; });
  }
  for (std::size_t k = 1; k < counts.size(); ++k) counts[k] += counts[k - 1];
  voxelStart_ = counts;
  voxelCells_.resize(counts.back());
  for (std::size_t i = 0; i < bounds_.size(); ++i) {
    if (bounds_[i].empty) continue;
    forEachVoxel(spans[i], [&](std::size_t voxel) { voxelCells_[counts[voxel]++] = static_cast<int>(i); });
  }
}

Box3 PointLocator::VoxelBox(const Vec3& point) const {
  Box3 box;
  for (int axis = 0; axis < 3; ++axis) {
    const double size = Component(voxelSize_, axis);
    const int count = cells_[static_cast<std::size_t>(axis)];
    const int at = std::clamp(static_cast<int>((Component(point, axis) - Component(extent_.low, axis)) / size), 0,
                              count - 1);
    Component(box.low, axis) = Component(extent_.low, axis) + at * size;
    Component(box.high, axis) = Component(extent_.low, axis) + (at + 1) * size;
  }
  return box;
}

std::optional<std::span<const int>> PointLocator::VoxelAt(const Vec3& point) const {
  std::array<int, 3> at{};
  for (int axis = 0; axis < 3; ++axis) {
    const double offset = (Component(point, axis) - Component(extent_.low, axis)) / Component(voxelSize_, axis);
    const int count = cells_[static_cast<std::size_t>(axis)];
    if (!(offset >= 0 && offset <= count)) return std::nullopt;
    at[static_cast<std::size_t>(axis)] = std::min(static_cast<int>(offset), count - 1);
  }
  const std::size_t voxel = (static_cast<std::size_t>(at[0]) * cells_[1] + at[1]) * cells_[2] + at[2];
  return std::span<const int>(voxelCells_.data() + voxelStart_[voxel], voxelStart_[voxel + 1] - voxelStart_[voxel]);
}

// With `clearance`, every surface is looked at and the nearest kept there;
// the side value's magnitude is the distance to the surface.
std::uint8_t PointLocator::OwnSides(int cell, const Vec3& point, Reach* reach) const {
  const input::CellRecord& record = model_.cells[static_cast<std::size_t>(cell)];
  std::uint8_t verdict = kInside;
  for (std::size_t k = 0; k < record.surfaces.size() && k < record.senses.size(); ++k) {
    const input::SurfaceRecord& surface = model_.surfaces[record.surfaces[k]];
    const double side = input::kernel::SurfaceSideValue(point, surface);
    if (std::fabs(side) <= tolerance_) verdict = std::min(verdict, kOnBoundary);
    else if ((side < 0) != (record.senses[k] < 0)) verdict = kOutside;
    if (reach) {
      double travel = std::fabs(side) - tolerance_;
      // A plane is met only when heading towards it, at the rate of the
      // direction's component along its normal.
      if (surface.kind == input::SurfaceKind::Plane && travel > 0) {
        const double rate = Dot(surface.direction, reach->along);
        travel = side * rate < 0 ? travel / std::fabs(rate) : HUGE_VAL;
      }
      reach->clearance = std::min(reach->clearance, std::max(0.0, travel));
    } else if (verdict == kOutside) {
      return kOutside;
    }
  }
  return verdict;
}

// Whether `cell` takes out `candidate`: some cell that `cell` complements
// is the candidate or encloses it, however deep.
bool PointLocator::Excludes(int cell, int candidate) const {
  const std::vector<std::int32_t>& complements = sortedComplements_[static_cast<std::size_t>(cell)];
  if (complements.empty()) return false;
  int at = candidate;
  for (std::size_t step = 0; at >= 0 && step <= model_.cells.size(); ++step) {
    if (std::binary_search(complements.begin(), complements.end(), at)) return true;
    const int enclosing = model_.cells[static_cast<std::size_t>(at)].enclosingCell;
    at = enclosing >= 0 && static_cast<std::size_t>(enclosing) < model_.cells.size() ? enclosing : -1;
  }
  return false;
}

// Only cells whose box holds the point can take anything away there, so the
// complements are judged among the candidates alone.
std::uint8_t PointLocator::Verdict(std::size_t position, LocatorScratch& scratch, int depth) const {
  std::uint8_t& state = scratch.state[position];
  if (state == kInProgress) return kOutside;  // a cell that ends up taking itself out
  if (state != kUnknown) return state;
  std::uint8_t verdict = scratch.own[position];
  if (verdict == kOutside || depth > static_cast<int>(scratch.candidates.size())) {
    state = verdict;
    return state;
  }
  state = kInProgress;
  const int cell = scratch.candidates[position];
  std::uint8_t excluded = kOutside;
  for (std::size_t other = 0; other < scratch.candidates.size() && excluded != kInside; ++other) {
    if (scratch.own[other] == kOutside || !Excludes(cell, scratch.candidates[other])) continue;
    excluded = std::max(excluded, Verdict(other, scratch, depth + 1));
  }
  verdict = std::min(verdict, Negated(excluded));
  scratch.state[position] = verdict;
  return verdict;
}

PointCells PointLocator::Locate(const Vec3& point, LocatorScratch& scratch) const {
  return Find(point, scratch, nullptr);
}

PointCells PointLocator::Locate(const Vec3& point, const Vec3& along, LocatorScratch& scratch,
                                double& clearance) const {
  Reach reach{along, HUGE_VAL};
  const PointCells found = Find(point, scratch, &reach);
  clearance = reach.clearance;
  return found;
}

PointCells PointLocator::Find(const Vec3& point, LocatorScratch& scratch, Reach* reach) const {
  PointCells result;
  if (!world_.Contains(point)) {
    if (reach) reach->clearance = 0;
    return result;
  }
  scratch.candidates.clear();
  const std::optional<std::span<const int>> voxel = VoxelAt(point);
  for (int cell : voxel ? *voxel : std::span<const int>(far_)) {
    const Box3& box = bounds_[static_cast<std::size_t>(cell)].box;
    if (box.Contains(point)) scratch.candidates.push_back(cell);
    else if (reach) reach->clearance = std::min(reach->clearance, TravelToBox(box, point, reach->along));
  }
  if (reach) {
    const double grid = voxel ? TravelInBox(VoxelBox(point), point, reach->along)
                              : TravelToBox(extent_, point, reach->along);
    reach->clearance = std::min({reach->clearance, grid, TravelInBox(world_, point, reach->along)});
  }
  scratch.own.resize(scratch.candidates.size());
  scratch.state.assign(scratch.candidates.size(), kUnknown);
  for (std::size_t k = 0; k < scratch.candidates.size(); ++k)
    scratch.own[k] = OwnSides(scratch.candidates[k], point, reach);
  for (std::size_t k = 0; k < scratch.candidates.size(); ++k) {
    if (scratch.own[k] == kOutside) continue;
    const std::uint8_t verdict = Verdict(k, scratch, 0);
    const int cell = scratch.candidates[k];
    if (verdict == kInside) {
      if (result.insideCount < kKeptCells) result.inside[static_cast<std::size_t>(result.insideCount)] = cell;
      ++result.insideCount;
    } else if (verdict == kOnBoundary && result.boundaryCell < 0) {
      result.boundaryCell = cell;
    }
  }
  // Candidates come in cell order from the grid; keep that order for callers.
  std::sort(result.inside.begin(), result.inside.begin() + result.Kept());
  return result;
}

PointCells PointLocator::Locate(const Vec3& point) const {
  LocatorScratch scratch;
  return Locate(point, scratch);
}

}  // namespace tessarin::preview
