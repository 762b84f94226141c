#include "preview/gap_regions.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <numeric>

namespace tessarin::preview {

namespace {

class UnionFind {
 public:
  explicit UnionFind(std::size_t count) : parent_(count) { std::iota(parent_.begin(), parent_.end(), std::size_t{0}); }
  std::size_t Root(std::size_t k) {
    while (parent_[k] != k) k = parent_[k] = parent_[parent_[k]];
    return k;
  }
  void Join(std::size_t a, std::size_t b) {
    a = Root(a);
    b = Root(b);
    if (a != b) parent_[std::max(a, b)] = std::min(a, b);
  }

 private:
  std::vector<std::size_t> parent_;
};

class Connector {
 public:
  Connector(const RayGrid& grid, const std::array<AxisStretches, 3>& axes, double tolerance)
      : grid_(grid), axes_(axes), tolerance_(tolerance) {
    std::size_t total = 0;
    for (int axis = 0; axis < 3; ++axis) {
      offset_[static_cast<std::size_t>(axis)] = total;
      total += axes[static_cast<std::size_t>(axis)].gaps.size();
    }
    outside_ = total;
    sets_ = std::make_unique<UnionFind>(total + 1);
  }

  GapRegions Run() {
    for (int axis = 0; axis < 3; ++axis) {
      LinkParallel(axis);
      LinkAcross(axis);
    }
    GapRegions regions;
    std::vector<std::int32_t> regionOfRoot(outside_ + 1, -1);
    for (int axis = 0; axis < 3; ++axis) {
      const std::size_t count = axes_[static_cast<std::size_t>(axis)].gaps.size();
      std::vector<std::int32_t>& of = regions.regionOf[static_cast<std::size_t>(axis)];
      of.resize(count);
      for (std::size_t g = 0; g < count; ++g) {
        const std::size_t root = sets_->Root(Index(axis, g));
        std::int32_t& region = regionOfRoot[root];
        if (region < 0) {
          region = regions.Count();
          regions.reachable.push_back(root == sets_->Root(outside_));
        }
        of[g] = region;
      }
    }
    return regions;
  }

 private:
  std::size_t Index(int axis, std::size_t gap) const { return offset_[static_cast<std::size_t>(axis)] + gap; }

  // Whether the ray has no cell somewhere in [from, to] outside its first
  // entry and last exit.
  bool OutsideAlong(const AxisStretches& a, std::size_t ray, double from, double to) const {
    return !a.hitsCells[ray] || a.firstEntry[ray] - from > tolerance_ || to - a.lastExit[ray] > tolerance_;
  }

  void LinkPair(int axis, std::size_t first, std::size_t second) {
    const AxisStretches& a = axes_[static_cast<std::size_t>(axis)];
    const std::uint32_t firstEnd = a.gapStart[first + 1], secondEnd = a.gapStart[second + 1];
    for (std::uint32_t g = a.gapStart[first]; g < firstEnd; ++g)
      if (OutsideAlong(a, second, a.gaps[g].from, a.gaps[g].to)) sets_->Join(Index(axis, g), outside_);
    for (std::uint32_t g = a.gapStart[second]; g < secondEnd; ++g)
      if (OutsideAlong(a, first, a.gaps[g].from, a.gaps[g].to)) sets_->Join(Index(axis, g), outside_);
    std::uint32_t i = a.gapStart[first], j = a.gapStart[second];
    while (i < firstEnd && j < secondEnd) {
      const SweptGap& p = a.gaps[i];
      const SweptGap& q = a.gaps[j];
      if (std::min(p.to, q.to) - std::max(p.from, q.from) > tolerance_) sets_->Join(Index(axis, i), Index(axis, j));
      if (p.to < q.to)
        ++i;
      else
        ++j;
    }
  }

  void LinkParallel(int axis) {
    const int wide = grid_.Count(RayGrid::UAxis(axis)), high = grid_.Count(RayGrid::VAxis(axis));
    for (int v = 0; v < high; ++v)
      for (int u = 0; u < wide; ++u) {
        const std::size_t ray = grid_.RayIndex(axis, u, v);
        if (u + 1 < wide) LinkPair(axis, ray, grid_.RayIndex(axis, u + 1, v));
        if (v + 1 < high) LinkPair(axis, ray, grid_.RayIndex(axis, u, v + 1));
      }
  }

  // Every grid node inside a gap along `axis` also lies on a ray along the
  // next axis: the two stretches there are one region.
  void LinkAcross(int axis) {
    const int next = RayGrid::UAxis(axis);
    const AxisStretches& a = axes_[static_cast<std::size_t>(axis)];
    const AxisStretches& b = axes_[static_cast<std::size_t>(next)];
    const std::vector<double>& along = grid_.Coordinates(axis);
    const double low = Component(grid_.Region().low, axis);
    const double nextLow = Component(grid_.Region().low, next);
    const int wide = grid_.Count(RayGrid::UAxis(axis)), high = grid_.Count(RayGrid::VAxis(axis));
    for (int v = 0; v < high; ++v)
      for (int u = 0; u < wide; ++u) {
        const std::size_t ray = grid_.RayIndex(axis, u, v);
        const double t = grid_.Coordinates(next)[static_cast<std::size_t>(u)] - nextLow;
        for (std::uint32_t g = a.gapStart[ray]; g < a.gapStart[ray + 1]; ++g) {
          auto w = std::upper_bound(along.begin(), along.end(), low + a.gaps[g].from);
          for (; w != along.end() && *w < low + a.gaps[g].to; ++w) {
            const std::size_t across = grid_.RayIndex(next, v, static_cast<int>(w - along.begin()));
            if (!b.hitsCells[across] || t < b.firstEntry[across] || t > b.lastExit[across]) {
              sets_->Join(Index(axis, g), outside_);
              continue;
            }
            const auto first = b.gaps.begin() + b.gapStart[across], last = b.gaps.begin() + b.gapStart[across + 1];
            auto holding =
                std::upper_bound(first, last, t, [](double at, const SweptGap& gap) { return at < gap.from; });
            if (holding != first && std::prev(holding)->to > t)
              sets_->Join(Index(axis, g), Index(next, static_cast<std::size_t>(std::prev(holding) - b.gaps.begin())));
          }
        }
      }
  }

  const RayGrid& grid_;
  const std::array<AxisStretches, 3>& axes_;
  double tolerance_;
  std::array<std::size_t, 3> offset_{};
  std::size_t outside_ = 0;
  std::unique_ptr<UnionFind> sets_;
};

}  // namespace

GapRegions ConnectGaps(const RayGrid& grid, const std::array<AxisStretches, 3>& axes, double tolerance) {
  return Connector(grid, axes, tolerance).Run();
}

}  // namespace tessarin::preview
