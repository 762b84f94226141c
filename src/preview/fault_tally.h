#pragma once
// What the rays crossing one fault measured of it: per axis the volume its
// stretches stand for, the box around them and the middle of the longest.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "preview/overlap_search.h"

namespace tessarin::preview {

struct FaultTally {
  std::array<double, 3> volume{};      // per axis of the rays
  std::array<std::int64_t, 3> hits{};  // stretches per axis
  Box3 bounds{{HUGE_VAL, HUGE_VAL, HUGE_VAL}, {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL}};
  double longest = -1;
  Vec3 at;

  // The stretch [from, to] of a ray along `axis` standing for `area` cm².
  void Add(int axis, const Vec3& origin, double from, double to, double area) {
    const double length = to - from;
    volume[static_cast<std::size_t>(axis)] += length * area;
    ++hits[static_cast<std::size_t>(axis)];
    Vec3 start = origin, end = origin;
    Component(start, axis) += from;
    Component(end, axis) += to;
    Include(start);
    Include(end);
    // The middle of the longest stretch; of equally long ones, the one
    // nearest the middle of the box, so the point is well inside.
    const Vec3 middle = 0.5 * (start + end);
    const Vec3 centre = 0.5 * (bounds.low + bounds.high);
    if (length > longest * (1 + 1e-9) ||
        (length >= longest * (1 - 1e-9) && Norm(middle - centre) < Norm(at - centre))) {
      longest = std::max(longest, length);
      at = middle;
    }
  }

  void Merge(const FaultTally& other) {
    for (std::size_t a = 0; a < 3; ++a) {
      volume[a] += other.volume[a];
      hits[a] += other.hits[a];
    }
    Include(other.bounds.low);
    Include(other.bounds.high);
    if (other.longest > longest) {
      longest = other.longest;
      at = other.at;
    }
  }

  // The volume as the axis whose rays crossed it most often measured it: a
  // thin sheet is measured by the rays across it, not by one along it.
  double Volume() const {
    std::size_t best = 0;
    for (std::size_t a = 1; a < 3; ++a)
      if (hits[a] > hits[best]) best = a;
    return volume[best];
  }

  std::int64_t MostHits() const { return std::max({hits[0], hits[1], hits[2]}); }

  FaultExtent Extent() const { return {at, Volume(), bounds}; }

 private:
  void Include(const Vec3& p) {
    bounds.low = {std::min(bounds.low.x, p.x), std::min(bounds.low.y, p.y), std::min(bounds.low.z, p.z)};
    bounds.high = {std::max(bounds.high.x, p.x), std::max(bounds.high.y, p.y), std::max(bounds.high.z, p.z)};
  }
};

}  // namespace tessarin::preview
