#pragma once
// The rays the fault search casts: along each axis, one ray through every
// node of a grid over the other two axes. All three axes share the same
// coordinates, so each grid node lies on three rays, one per axis, and a
// stretch found on one ray can be matched with the other two there.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

#include "preview/box3.h"
#include "raytrace/ray.h"

namespace tessarin::preview {

class RayGrid {
 public:
  // About `raysPerSide` rays across the region's longest side, the same
  // spacing along the other sides.
  RayGrid(const Box3& region, int raysPerSide) : region_(region) {
    const Vec3 size = region.high - region.low;
    const double longest = std::max({size.x, size.y, size.z});
    const double spacing = longest / std::max(1, raysPerSide);
    for (int axis = 0; axis < 3; ++axis) {
      const double length = Component(size, axis);
      const int count = std::max(1, static_cast<int>(std::lround(length / spacing)));
      std::vector<double>& at = coordinates_[static_cast<std::size_t>(axis)];
      at.resize(static_cast<std::size_t>(count));
      for (int k = 0; k < count; ++k)
        at[static_cast<std::size_t>(k)] = Component(region.low, axis) + (k + 0.5) * length / count;
      step_[static_cast<std::size_t>(axis)] = length / count;
    }
  }

  const Box3& Region() const { return region_; }
  // The two axes across rays along `axis`: u and v.
  static int UAxis(int axis) { return (axis + 1) % 3; }
  static int VAxis(int axis) { return (axis + 2) % 3; }
  const std::vector<double>& Coordinates(int axis) const { return coordinates_[static_cast<std::size_t>(axis)]; }
  int Count(int axis) const { return static_cast<int>(Coordinates(axis).size()); }
  double Step(int axis) const { return step_[static_cast<std::size_t>(axis)]; }
  // Rays along `axis`, numbered u + v * Count(UAxis).
  std::size_t RayCount(int axis) const {
    return static_cast<std::size_t>(Count(UAxis(axis))) * static_cast<std::size_t>(Count(VAxis(axis)));
  }
  std::size_t RayIndex(int axis, int u, int v) const {
    return static_cast<std::size_t>(u) + static_cast<std::size_t>(v) * static_cast<std::size_t>(Count(UAxis(axis)));
  }
  // The cross-section each ray along `axis` stands for, cm².
  double RayArea(int axis) const { return Step(UAxis(axis)) * Step(VAxis(axis)); }
  // The ray starts on the region's low face; t is the distance from there.
  raytrace::Ray RayAt(int axis, int u, int v) const {
    raytrace::Ray ray;
    Component(ray.origin, axis) = Component(region_.low, axis);
    Component(ray.origin, UAxis(axis)) = Coordinates(UAxis(axis))[static_cast<std::size_t>(u)];
    Component(ray.origin, VAxis(axis)) = Coordinates(VAxis(axis))[static_cast<std::size_t>(v)];
    Component(ray.direction, axis) = 1;
    return ray;
  }
  double Length(int axis) const { return Component(region_.high, axis) - Component(region_.low, axis); }

 private:
  Box3 region_;
  std::array<std::vector<double>, 3> coordinates_;
  std::array<double, 3> step_{};
};

}  // namespace tessarin::preview
