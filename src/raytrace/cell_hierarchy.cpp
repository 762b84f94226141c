#include "raytrace/cell_hierarchy.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tessarin::raytrace {

namespace {

constexpr int kBins = 16;
constexpr int kLeafCells = 2;
constexpr int kMostDepth = 60;
// The cost of visiting a node, against that of testing one cell.
constexpr double kNodeCost = 1;
constexpr double kCellCost = 2;


struct Bounds {
  Vec3 low{HUGE_VAL, HUGE_VAL, HUGE_VAL};
  Vec3 high{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};

  void Add(const Vec3& lowCorner, const Vec3& highCorner) {
    for (int axis = 0; axis < 3; ++axis) {
      Component(low, axis) = std::min(Component(low, axis), Component(lowCorner, axis));
      Component(high, axis) = std::max(Component(high, axis), Component(highCorner, axis));
    }
  }
  void Add(const Bounds& other) { Add(other.low, other.high); }
  bool Valid() const { return low.x <= high.x; }
  double HalfArea() const {
    if (!Valid()) return 0;
    const Vec3 size = high - low;
    // A box that fills an infinite world still orders against the others.
    const double area = size.x * size.y + size.y * size.z + size.z * size.x;
    return std::isfinite(area) ? area : 1e300;
  }
};

struct Item {
  std::int32_t cell;
  Vec3 low, high, centre;
};

class Builder {
 public:
  Builder(std::vector<Item>& items, std::vector<CellHierarchy::Node>& nodes) : items_(items), nodes_(nodes) {}

  void Build(std::size_t node, std::size_t first, std::size_t count, int depth) {
    Bounds box, centres;
    for (std::size_t k = first; k < first + count; ++k) {
      box.Add(items_[k].low, items_[k].high);
      centres.Add(items_[k].centre, items_[k].centre);
    }
    nodes_[node].box = AxisBoxOf(box.low, box.high);
    std::size_t split = 0;
    if (count <= kLeafCells || depth >= kMostDepth || !ChooseSplit(box, centres, first, count, split)) {
      MakeLeaf(node, first, count);
      return;
    }
    const std::size_t children = nodes_.size();
    nodes_.resize(children + 2);
    nodes_[node].first = static_cast<std::int32_t>(children);
    nodes_[node].count = 0;
    Build(children, first, split - first, depth + 1);
    Build(children + 1, split, first + count - split, depth + 1);
  }

 private:
  void MakeLeaf(std::size_t node, std::size_t first, std::size_t count) {
    nodes_[node].first = static_cast<std::int32_t>(first);
    nodes_[node].count = static_cast<std::int32_t>(count);
  }

  // Binned surface-area heuristic over the centroids; false when keeping
  // the cells together is as cheap as any split.
  bool ChooseSplit(const Bounds& box, const Bounds& centres, std::size_t first, std::size_t count,
                   std::size_t& split) {
    double bestCost = kCellCost * static_cast<double>(count);
    int bestAxis = -1, bestBin = 0;
    for (int axis = 0; axis < 3; ++axis) {
      const double low = Component(centres.low, axis), extent = Component(centres.high, axis) - low;
      if (!(extent > 0) || !std::isfinite(extent)) continue;
      std::array<Bounds, kBins> bins;
      std::array<std::size_t, kBins> counts{};
      for (std::size_t k = first; k < first + count; ++k) {
        const int bin = BinOf(Component(items_[k].centre, axis), low, extent);
        bins[static_cast<std::size_t>(bin)].Add(items_[k].low, items_[k].high);
        ++counts[static_cast<std::size_t>(bin)];
      }
      std::array<double, kBins> rightArea{};
      std::array<std::size_t, kBins> rightCount{};
      Bounds right;
      std::size_t onRight = 0;
      for (int bin = kBins - 1; bin > 0; --bin) {
        right.Add(bins[static_cast<std::size_t>(bin)]);
        onRight += counts[static_cast<std::size_t>(bin)];
        rightArea[static_cast<std::size_t>(bin)] = right.HalfArea();
        rightCount[static_cast<std::size_t>(bin)] = onRight;
      }
      Bounds left;
      std::size_t onLeft = 0;
      const double parentArea = std::max(box.HalfArea(), 1e-300);
      for (int bin = 1; bin < kBins; ++bin) {
        left.Add(bins[static_cast<std::size_t>(bin - 1)]);
        onLeft += counts[static_cast<std::size_t>(bin - 1)];
        if (onLeft == 0 || rightCount[static_cast<std::size_t>(bin)] == 0) continue;
        const double cost =
            kNodeCost + kCellCost *
                            (left.HalfArea() * static_cast<double>(onLeft) +
                             rightArea[static_cast<std::size_t>(bin)] *
                                 static_cast<double>(rightCount[static_cast<std::size_t>(bin)])) /
                            parentArea;
        if (cost < bestCost) {
          bestCost = cost;
          bestAxis = axis;
          bestBin = bin;
        }
      }
    }
    if (bestAxis < 0) return false;
    const double low = Component(centres.low, bestAxis), extent = Component(centres.high, bestAxis) - low;
    const auto middle = std::partition(items_.begin() + static_cast<std::ptrdiff_t>(first),
                                       items_.begin() + static_cast<std::ptrdiff_t>(first + count),
                                       [&](const Item& item) {
                                         return BinOf(Component(item.centre, bestAxis), low, extent) < bestBin;
                                       });
    split = static_cast<std::size_t>(middle - items_.begin());
    return split > first && split < first + count;
  }

  static int BinOf(double centre, double low, double extent) {
    const int bin = static_cast<int>(kBins * (centre - low) / extent);
    return std::clamp(bin, 0, kBins - 1);
  }

  std::vector<Item>& items_;
  std::vector<CellHierarchy::Node>& nodes_;
};

// The middle of a box, kept finite for a box that reaches infinity.
Vec3 CentreOf(const Vec3& low, const Vec3& high) {
  Vec3 centre;
  for (int axis = 0; axis < 3; ++axis) {
    const double a = std::clamp(Component(low, axis), -1e300, 1e300), b = std::clamp(Component(high, axis), -1e300, 1e300);
    Component(centre, axis) = 0.5 * a + 0.5 * b;
  }
  return centre;
}

}  // namespace

AxisBox AxisBoxOf(const Vec3& low, const Vec3& high) { return {{low.x, low.y, low.z}, {high.x, high.y, high.z}}; }

BoxProbe::BoxProbe(const Ray& ray) : origin{ray.origin.x, ray.origin.y, ray.origin.z} {
  const std::array<double, 3> direction{ray.direction.x, ray.direction.y, ray.direction.z};
  for (std::size_t axis = 0; axis < 3; ++axis) {
    parallel[axis] = direction[axis] == 0;
    inverse[axis] = parallel[axis] ? 0 : 1 / direction[axis];
  }
}

CellHierarchy::CellHierarchy(const std::vector<CellBox>& boxes) {
  std::vector<Item> items;
  for (std::size_t cell = 0; cell < boxes.size(); ++cell) {
    const CellBox& box = boxes[cell];
    if (box.empty || box.low.x > box.high.x || box.low.y > box.high.y || box.low.z > box.high.z) continue;
    items.push_back({static_cast<std::int32_t>(cell), box.low, box.high, CentreOf(box.low, box.high)});
  }
  if (items.empty()) return;
  nodes_.reserve(2 * items.size());
  nodes_.resize(1);
  Builder(items, nodes_).Build(0, 0, items.size(), 0);
  cells_.reserve(items.size());
  for (const Item& item : items) cells_.push_back(item.cell);
  nodes_.shrink_to_fit();
}

std::size_t CellHierarchy::MemoryBytes() const {
  return nodes_.capacity() * sizeof(Node) + cells_.capacity() * sizeof(std::int32_t);
}

}  // namespace tessarin::raytrace
