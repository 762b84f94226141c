#pragma once
// A bounding-volume hierarchy over the cells' boxes: binary, built by the
// surface-area heuristic over binned centroids, so that the few cells whose
// boxes fill the world sit near the root and the many small ones below.

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "raytrace/ray.h"

namespace tessarin::raytrace {

// An axis-aligned box of model space; a cell whose box is empty has no
// volume in the world and is left out.
struct CellBox {
  Vec3 low, high;
  bool empty = false;
};

// A box as the ray tests read it, axis by axis.
struct AxisBox {
  std::array<double, 3> low{}, high{};
};

AxisBox AxisBoxOf(const Vec3& low, const Vec3& high);

// A ray prepared for box tests.
struct BoxProbe {
  std::array<double, 3> origin{};
  std::array<double, 3> inverse{};  // 1 / direction, per axis
  std::array<bool, 3> parallel{};   // the direction has no component along the axis

  explicit BoxProbe(const Ray& ray);
  // The part of [from, to] inside the box, in `entry` and `exit`; false
  // when there is none.
  [[nodiscard]] bool Through(const AxisBox& box, double from, double to, double& entry, double& exit) const {
    for (std::size_t axis = 0; axis < 3; ++axis) {
      const double at = origin[axis];
      if (parallel[axis]) {
        // In the slab all along or never.
        if (at < box.low[axis] || at > box.high[axis]) return false;
        continue;
      }
      const double near = (box.low[axis] - at) * inverse[axis], far = (box.high[axis] - at) * inverse[axis];
      from = std::max(from, std::min(near, far));
      to = std::min(to, std::max(near, far));
    }
    entry = from;
    exit = to;
    return from <= to;
  }
};

class CellHierarchy {
 public:
  struct Node {
    AxisBox box;
    std::int32_t first = 0;  // leaf: first item; inner node: the first of its two children
    std::int32_t count = 0;  // leaf: its items; 0 for an inner node
  };

  explicit CellHierarchy(const std::vector<CellBox>& boxes);

  [[nodiscard]] bool Empty() const { return nodes_.empty(); }
  const Node& Root() const { return nodes_.front(); }
  const Node& At(std::int32_t node) const { return nodes_[static_cast<std::size_t>(node)]; }
  // The cell of a leaf's item.
  std::int32_t Cell(std::int32_t item) const { return cells_[static_cast<std::size_t>(item)]; }
  std::size_t MemoryBytes() const;

 private:
  std::vector<Node> nodes_;
  std::vector<std::int32_t> cells_;  // leaves' cells, grouped by leaf
};

}  // namespace tessarin::raytrace
