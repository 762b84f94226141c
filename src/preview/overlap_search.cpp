#include "preview/overlap_search.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <random>
#include <set>
#include <utility>

#include "preview/slice_scan.h"

namespace tessarin::preview {

namespace {

// The pixel of a patch nearest to the patch's centre: a point well inside
// the gap to show the user.
std::size_t NearestToCentre(const std::vector<std::size_t>& patch, int wide) {
  const auto w = static_cast<std::size_t>(wide);
  double columnSum = 0, rowSum = 0;
  for (std::size_t k : patch) {
    columnSum += static_cast<double>(k % w);
    rowSum += static_cast<double>(k / w);
  }
  const double n = static_cast<double>(patch.size());
  std::size_t best = patch.front();
  double bestDistance = HUGE_VAL;
  for (std::size_t k : patch) {
    const double dc = static_cast<double>(k % w) - columnSum / n, dr = static_cast<double>(k / w) - rowSum / n;
    if (dc * dc + dr * dr < bestDistance) {
      bestDistance = dc * dc + dr * dr;
      best = k;
    }
  }
  return best;
}

class Search {
 public:
  Search(const PointLocator& locator, const OverlapSearchOptions& options, const std::atomic<bool>* cancel)
      : locator_(locator), options_(options), cancel_(cancel) {}

  OverlapSearchResult Run() {
    for (int axis = 0; axis < 3 && !Cancelled(); ++axis)
      for (int k = 0; k < options_.slicesPerAxis && !Cancelled(); ++k) ScanSlice(axis, k);
    ScanRandomPoints();
    for (const auto& [pair, at] : overlaps_) result_.overlaps.push_back({pair.first, pair.second, at});
    result_.cancelled = Cancelled();
    return std::move(result_);
  }

 private:
  bool Cancelled() const { return cancel_ && cancel_->load(std::memory_order_relaxed); }

  void NotePoint(const PointCells& found, const Vec3& at) {
    ++result_.pointsTested;
    for (int i = 0; i < found.Kept(); ++i)
      for (int j = i + 1; j < found.Kept(); ++j)
        overlaps_.try_emplace({found.inside[static_cast<std::size_t>(i)], found.inside[static_cast<std::size_t>(j)]},
                              at);
  }

  // A slice across `axis` at the middle of the k-th of K equal layers.
  void ScanSlice(int axis, int k) {
    const Box3& region = options_.region;
    const int first = (axis + 1) % 3, second = (axis + 2) % 3;
    const double firstLength = Component(region.high, first) - Component(region.low, first);
    const double secondLength = Component(region.high, second) - Component(region.low, second);
    const double longer = std::max(firstLength, secondLength);
    if (!(longer > 0)) return;
    const double spacing = longer / std::max(1, options_.pixels);
    SliceCells cells;
    cells.wide = std::max(1, static_cast<int>(std::lround(firstLength / spacing)));
    cells.high = std::max(1, static_cast<int>(std::lround(secondLength / spacing)));
    cells.pixels.resize(static_cast<std::size_t>(cells.wide) * static_cast<std::size_t>(cells.high));
    const double depth = Component(region.low, axis) + (k + 0.5) / options_.slicesPerAxis *
                                                          (Component(region.high, axis) - Component(region.low, axis));
    auto pointAt = [&](int column, int row) {
      Vec3 point;
      Component(point, axis) = depth;
      Component(point, first) = Component(region.low, first) + (column + 0.5) * firstLength / cells.wide;
      Component(point, second) = Component(region.low, second) + (row + 0.5) * secondLength / cells.high;
      return point;
    };
    for (int row = 0; row < cells.high; ++row) {
      if (Cancelled()) return;
      for (int column = 0; column < cells.wide; ++column) {
        const Vec3 point = pointAt(column, row);
        const PointCells found = locator_.Locate(point, scratch_);
        NotePoint(found, point);
        cells.pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(cells.wide) +
                     static_cast<std::size_t>(column)] = ClassifyPoint(found);
      }
    }
    NoteGaps(cells, pointAt);
  }

  // One finding per connected enclosed patch, unless a patch with the same
  // bordering cells was told already (the same gap seen in another slice).
  template <typename PointAt>
  void NoteGaps(const SliceCells& cells, PointAt pointAt) {
    std::vector<bool> enclosed = EnclosedEmptyPixels(cells);
    const int wide = cells.wide, high = cells.high;
    for (std::size_t start = 0; start < enclosed.size(); ++start) {
      if (!enclosed[start]) continue;
      std::set<int> bordering;
      std::vector<std::size_t> stack{start};
      enclosed[start] = false;
      std::vector<std::size_t> patch;
      while (!stack.empty()) {
        const std::size_t k = stack.back();
        stack.pop_back();
        patch.push_back(k);
        const int column = static_cast<int>(k % static_cast<std::size_t>(wide));
        const int row = static_cast<int>(k / static_cast<std::size_t>(wide));
        const std::array<std::pair<int, int>, 4> next{{{column - 1, row}, {column + 1, row}, {column, row - 1},
                                                       {column, row + 1}}};
        for (const auto& [c, r] : next) {
          if (c < 0 || r < 0 || c >= wide || r >= high) continue;
          const std::size_t n = static_cast<std::size_t>(r) * static_cast<std::size_t>(wide) + static_cast<std::size_t>(c);
          const PixelCells& pixel = cells.pixels[n];
          if (pixel.kind != PixelKind::NoCell && pixel.cell >= 0) bordering.insert(pixel.cell);
          if (pixel.kind == PixelKind::Overlap) bordering.insert(pixel.other);
          if (!enclosed[n]) continue;
          enclosed[n] = false;
          stack.push_back(n);
        }
      }
      std::vector<int> cellsAround(bordering.begin(), bordering.end());
      if (!gapsTold_.insert(cellsAround).second) continue;
      const std::size_t middle = NearestToCentre(patch, wide);
      const int column = static_cast<int>(middle % static_cast<std::size_t>(wide));
      const int row = static_cast<int>(middle / static_cast<std::size_t>(wide));
      result_.undefined.push_back({pointAt(column, row), std::move(cellsAround)});
    }
  }

  void ScanRandomPoints() {
    std::mt19937_64 random(options_.seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const Box3& region = options_.region;
    const Vec3 size = region.high - region.low;
    for (int i = 0; i < options_.randomPoints; ++i) {
      if (i % 4096 == 0 && Cancelled()) return;
      const Vec3 point = region.low + Vec3{unit(random) * size.x, unit(random) * size.y, unit(random) * size.z};
      NotePoint(locator_.Locate(point, scratch_), point);
    }
  }

  const PointLocator& locator_;
  const OverlapSearchOptions& options_;
  const std::atomic<bool>* cancel_;
  LocatorScratch scratch_;
  std::map<std::pair<int, int>, Vec3> overlaps_;
  std::set<std::vector<int>> gapsTold_;
  OverlapSearchResult result_;
};

}  // namespace

Box3 ViewCube(const Vec3& viewCenter, double viewSize) {
  const double half = 0.5 * viewSize;
  return {viewCenter - Vec3{half, half, half}, viewCenter + Vec3{half, half, half}};
}

OverlapSearchResult SearchOverlaps(const PointLocator& locator, const OverlapSearchOptions& options,
                                   const std::atomic<bool>* cancel) {
  return Search(locator, options, cancel).Run();
}

}  // namespace tessarin::preview
