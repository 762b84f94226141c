#include "preview/overlap_search.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <set>
#include <utility>

#include "platform/worker_threads.h"
#include "preview/fault_tally.h"
#include "preview/gap_regions.h"
#include "preview/ray_grid.h"
#include "preview/ray_sweep.h"
#include "raytrace/ray_walk.h"

namespace tessarin::preview {

namespace {

// Fine rays across each side of a finding's box, on each axis.
constexpr int kRefiningRays = 12;
// Findings beyond these many are told as the coarse rays measured them.
constexpr std::size_t kMostRefined = 1000;

using CellGroup = std::vector<std::int32_t>;
using GroupTallies = std::map<CellGroup, FaultTally>;

// The state of one tracing thread.
struct Tracer {
  raytrace::TraceScratch scratch;
  RaySweep sweep;
  std::vector<raytrace::CellSpan> spans;
  SweptRay swept;

  void Trace(const raytrace::RayEngine& engine, const raytrace::Ray& ray, double from, double to) {
    engine.Trace(ray, from, to, scratch, spans);
    sweep.Run(spans, engine.CellCount(), engine.Tolerance(), swept);
  }
};

// Runs job(index, tracer) for every index below `count` on `threads`
// threads, each with its own tracer, until done or cancelled.
template <typename Job>
void RunParallel(std::size_t count, int threads, const std::atomic<bool>* cancel, Job job) {
  std::atomic<std::size_t> next{0};
  platform::RunOnThreads(threads, [&](int) {
    Tracer tracer;
    for (std::size_t k = next++; k < count; k = next++) {
      if (cancel && cancel->load(std::memory_order_relaxed)) return;
      job(k, tracer);
    }
  });
}

class Search {
 public:
  Search(const raytrace::RayEngine& engine, const OverlapSearchOptions& options, const std::atomic<bool>* cancel,
         SearchProgress* progress)
      : engine_(engine),
        grid_(options.region, options.raysPerSide),
        cancel_(cancel),
        progress_(progress),
        threads_(platform::ThreadCount(options.threads)) {}

  OverlapSearchResult Run() {
    if (progress_)
      progress_->raysTotal = static_cast<long long>(grid_.RayCount(0) + grid_.RayCount(1) + grid_.RayCount(2));
    CastGrid();
    if (Cancelled()) return Cancel();
    // The steps after the rays take time in proportion to what they found,
    // which may be much: a Stop is heeded between them too.
    const GapRegions regions = ConnectGaps(grid_, axes_, engine_.Tolerance());
    if (Cancelled()) return Cancel();
    TellGaps(regions);
    TellOverlaps();
    if (Cancelled()) return Cancel();
    Refine();
    std::sort(result_.overlaps.begin(), result_.overlaps.end(),
              [](const OverlapFinding& a, const OverlapFinding& b) { return a.cells < b.cells; });
    if (Cancelled()) return Cancel();
    result_.raysCast = raysCast_;
    return std::move(result_);
  }

 private:
  bool Cancelled() const { return cancel_ && cancel_->load(std::memory_order_relaxed); }
  OverlapSearchResult Cancel() {
    result_.cancelled = true;
    result_.raysCast = raysCast_;
    return std::move(result_);
  }

  // One row of rays (fixed v) along each axis is one job.
  void CastGrid() {
    std::vector<std::pair<int, int>> rows;
    for (int axis = 0; axis < 3; ++axis) {
      AxisStretches& a = axes_[static_cast<std::size_t>(axis)];
      const std::size_t count = grid_.RayCount(axis);
      a.hitsCells.assign(count, 0);
      a.firstEntry.assign(count, 0);
      a.lastExit.assign(count, 0);
      rowGaps_[static_cast<std::size_t>(axis)].resize(static_cast<std::size_t>(grid_.Count(RayGrid::VAxis(axis))));
      for (int v = 0; v < grid_.Count(RayGrid::VAxis(axis)); ++v) rows.emplace_back(axis, v);
    }
    std::mutex merging;
    RunParallel(rows.size(), threads_, cancel_, [&](std::size_t k, Tracer& tracer) {
      const auto [axis, v] = rows[k];
      GroupTallies groups;
      CastRow(axis, v, tracer, groups);
      const std::lock_guard<std::mutex> lock(merging);
      for (auto& [cells, tally] : groups) groups_[cells].Merge(tally);
    });
    // Within a row the gaps come ray after ray.
    for (int axis = 0; axis < 3; ++axis) {
      AxisStretches& a = axes_[static_cast<std::size_t>(axis)];
      a.gapStart.assign(grid_.RayCount(axis) + 1, 0);
      auto& rows = rowGaps_[static_cast<std::size_t>(axis)];
      for (int v = 0; v < grid_.Count(RayGrid::VAxis(axis)); ++v) {
        const auto& row = rows[static_cast<std::size_t>(v)];
        std::size_t at = 0;
        for (int u = 0; u < grid_.Count(RayGrid::UAxis(axis)); ++u) {
          a.gapStart[grid_.RayIndex(axis, u, v)] = static_cast<std::uint32_t>(a.gaps.size());
          for (; at < row.size() && row[at].first == u; ++at) a.gaps.push_back(row[at].second);
        }
      }
      a.gapStart.back() = static_cast<std::uint32_t>(a.gaps.size());
      rows.clear();
    }
  }

  void CastRow(int axis, int v, Tracer& tracer, GroupTallies& groups) {
    AxisStretches& a = axes_[static_cast<std::size_t>(axis)];
    auto& row = rowGaps_[static_cast<std::size_t>(axis)][static_cast<std::size_t>(v)];
    const double area = grid_.RayArea(axis);
    const int wide = grid_.Count(RayGrid::UAxis(axis));
    for (int u = 0; u < wide; ++u) {
      const raytrace::Ray ray = grid_.RayAt(axis, u, v);
      tracer.Trace(engine_, ray, 0, grid_.Length(axis));
      const std::size_t index = grid_.RayIndex(axis, u, v);
      const SweptRay& swept = tracer.swept;
      a.hitsCells[index] = swept.hitsCells ? 1 : 0;
      a.firstEntry[index] = swept.firstEntry;
      a.lastExit[index] = swept.lastExit;
      for (const SweptGap& gap : swept.gaps) row.emplace_back(u, gap);
      for (const SweptOverlap& overlap : swept.overlaps)
        groups[overlap.cells].Add(axis, ray.origin, overlap.from, overlap.to, area);
    }
    raysCast_ += wide;
    if (progress_) progress_->raysDone += wide;
  }

  void TellGaps(const GapRegions& regions) {
    std::vector<FaultTally> tallies(static_cast<std::size_t>(regions.Count()));
    std::vector<std::set<int>> around(tallies.size());
    for (int axis = 0; axis < 3; ++axis) {
      const AxisStretches& a = axes_[static_cast<std::size_t>(axis)];
      const double area = grid_.RayArea(axis);
      for (int v = 0; v < grid_.Count(RayGrid::VAxis(axis)); ++v)
        for (int u = 0; u < grid_.Count(RayGrid::UAxis(axis)); ++u) {
          const std::size_t ray = grid_.RayIndex(axis, u, v);
          for (std::uint32_t g = a.gapStart[ray]; g < a.gapStart[ray + 1]; ++g) {
            const auto region = static_cast<std::size_t>(regions.regionOf[static_cast<std::size_t>(axis)][g]);
            if (regions.reachable[region]) continue;
            const SweptGap& gap = a.gaps[g];
            tallies[region].Add(axis, grid_.RayAt(axis, u, v).origin, gap.from, gap.to, area);
            around[region].insert({gap.before, gap.after});
          }
        }
    }
    for (std::size_t r = 0; r < tallies.size(); ++r) {
      if (regions.reachable[r]) continue;
      around[r].erase(-1);
      gapTallies_.push_back(tallies[r]);
      result_.undefined.push_back({tallies[r].Extent(), std::vector<int>(around[r].begin(), around[r].end())});
    }
  }

  // Groups of few cells become their pairs; a pair that a bigger group
  // holds is told with that group.
  void TellOverlaps() {
    std::vector<const CellGroup*> big;
    for (const auto& [cells, tally] : groups_)
      if (cells.size() > kMostCellsListedAsPairs) big.push_back(&cells);
    std::sort(big.begin(), big.end(), [](const CellGroup* a, const CellGroup* b) { return a->size() > b->size(); });
    auto heldByBig = [&](const CellGroup& cells, const CellGroup* except) {
      return std::any_of(big.begin(), big.end(), [&](const CellGroup* group) {
        return group != except && std::includes(group->begin(), group->end(), cells.begin(), cells.end());
      });
    };
    std::map<CellGroup, FaultTally> findings;
    for (const auto& [cells, tally] : groups_) {
      if (cells.size() > kMostCellsListedAsPairs) {
        if (!heldByBig(cells, &cells)) findings[cells].Merge(tally);
        continue;
      }
      for (std::size_t i = 0; i < cells.size(); ++i)
        for (std::size_t j = i + 1; j < cells.size(); ++j) {
          const CellGroup pair{cells[i], cells[j]};
          if (!heldByBig(pair, nullptr)) findings[pair].Merge(tally);
        }
    }
    for (const auto& [cells, tally] : findings) {
      overlapTallies_.push_back(tally);
      result_.overlaps.push_back({std::vector<int>(cells.begin(), cells.end()), tally.Extent()});
    }
    groups_.clear();
  }

  // Casts kRefiningRays² rays along each axis over the finding's box, grown
  // by a coarse ray spacing, and keeps what they add to its tally.
  template <typename Take>
  void RefineOne(FaultTally& tally, Tracer& tracer, Take take) {
    FaultTally fine;
    const Box3& region = grid_.Region();
    Box3 around = tally.bounds;
    for (int axis = 0; axis < 3; ++axis) {
      Component(around.low, axis) =
          std::max(Component(region.low, axis), Component(around.low, axis) - grid_.Step(axis));
      Component(around.high, axis) =
          std::min(Component(region.high, axis), Component(around.high, axis) + grid_.Step(axis));
    }
    for (int axis = 0; axis < 3; ++axis) {
      const int uAxis = RayGrid::UAxis(axis), vAxis = RayGrid::VAxis(axis);
      const double uSize = Component(around.high, uAxis) - Component(around.low, uAxis);
      const double vSize = Component(around.high, vAxis) - Component(around.low, vAxis);
      const double area = uSize * vSize / (kRefiningRays * kRefiningRays);
      const double from = Component(around.low, axis) - Component(region.low, axis);
      const double to = Component(around.high, axis) - Component(region.low, axis);
      for (int i = 0; i < kRefiningRays; ++i)
        for (int j = 0; j < kRefiningRays; ++j) {
          raytrace::Ray ray = grid_.RayAt(axis, 0, 0);
          Component(ray.origin, uAxis) = Component(around.low, uAxis) + (i + 0.5) * uSize / kRefiningRays;
          Component(ray.origin, vAxis) = Component(around.low, vAxis) + (j + 0.5) * vSize / kRefiningRays;
          tracer.Trace(engine_, ray, from, to);
          take(tracer.swept, [&](double a, double b) { fine.Add(axis, ray.origin, a, b, area); });
        }
    }
    raysCast_ += 3 * kRefiningRays * kRefiningRays;
    // The box and the point take from both; the volume from the finer
    // measure unless the coarse rays crossed the finding more often.
    const FaultTally coarse = tally;
    tally.Merge(fine);
    const FaultTally& measure = fine.MostHits() >= coarse.MostHits() ? fine : coarse;
    tally.volume = measure.volume;
    tally.hits = measure.hits;
  }

  void Refine() {
    const std::size_t overlaps = std::min(result_.overlaps.size(), kMostRefined);
    const std::size_t gaps = std::min(result_.undefined.size(), kMostRefined);
    RunParallel(overlaps + gaps, threads_, cancel_, [&](std::size_t k, Tracer& tracer) {
      if (k < overlaps) {
        OverlapFinding& finding = result_.overlaps[k];
        const CellGroup cells(finding.cells.begin(), finding.cells.end());
        RefineOne(overlapTallies_[k], tracer, [&](const SweptRay& swept, auto add) {
          for (const SweptOverlap& overlap : swept.overlaps)
            if (std::includes(overlap.cells.begin(), overlap.cells.end(), cells.begin(), cells.end()))
              add(overlap.from, overlap.to);
        });
        finding.extent = overlapTallies_[k].Extent();
        return;
      }
      const std::size_t g = k - overlaps;
      UndefinedFinding& finding = result_.undefined[g];
      RefineOne(gapTallies_[g], tracer, [&](const SweptRay& swept, auto add) {
        for (const SweptGap& gap : swept.gaps) add(gap.from, gap.to);
      });
      finding.extent = gapTallies_[g].Extent();
    });
  }

  const raytrace::RayEngine& engine_;
  RayGrid grid_;
  const std::atomic<bool>* cancel_;
  SearchProgress* progress_;
  int threads_;
  std::array<AxisStretches, 3> axes_;
  std::array<std::vector<std::vector<std::pair<int, SweptGap>>>, 3> rowGaps_;
  GroupTallies groups_;
  std::vector<FaultTally> overlapTallies_, gapTallies_;
  std::atomic<long long> raysCast_{0};
  OverlapSearchResult result_;
};

}  // namespace

Box3 ViewCube(const Vec3& viewCenter, double viewSize) {
  const double half = 0.5 * viewSize;
  return {viewCenter - Vec3{half, half, half}, viewCenter + Vec3{half, half, half}};
}

Box3 SearchRegion(const Box3& wanted, const std::vector<CellBound>& bounds) {
  Box3 cells{{HUGE_VAL, HUGE_VAL, HUGE_VAL}, {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL}};
  for (const CellBound& bound : bounds) {
    if (bound.empty) continue;
    for (int axis = 0; axis < 3; ++axis) {
      Component(cells.low, axis) = std::min(Component(cells.low, axis), Component(bound.box.low, axis));
      Component(cells.high, axis) = std::max(Component(cells.high, axis), Component(bound.box.high, axis));
    }
  }
  if (cells.Empty()) return wanted;
  const Vec3 size = cells.high - cells.low;
  const Box3 cut = cells.Grown(0.02 * std::max({size.x, size.y, size.z})).Intersection(wanted);
  return cut.Empty() ? wanted : cut;
}

OverlapSearchResult SearchOverlaps(const raytrace::RayEngine& engine, const OverlapSearchOptions& options,
                                   const std::atomic<bool>* cancel, SearchProgress* progress) {
  return Search(engine, options, cancel, progress).Run();
}

}  // namespace tessarin::preview
