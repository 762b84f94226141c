#pragma once
// Axis-aligned boxes of model space (cm).

#include <algorithm>

#include "input/vec3.h"

namespace tessarin::preview {

using input::Vec3;

struct Box3 {
  Vec3 low, high;

  [[nodiscard]] bool Empty() const { return low.x > high.x || low.y > high.y || low.z > high.z; }
  [[nodiscard]] bool Contains(const Vec3& p) const {
    return p.x >= low.x && p.x <= high.x && p.y >= low.y && p.y <= high.y && p.z >= low.z && p.z <= high.z;
  }
  Box3 Intersection(const Box3& other) const {
    return {{std::max(low.x, other.low.x), std::max(low.y, other.low.y), std::max(low.z, other.low.z)},
            {std::min(high.x, other.high.x), std::min(high.y, other.high.y), std::min(high.z, other.high.z)}};
  }
  Box3 Grown(double margin) const {
    return {low - Vec3{margin, margin, margin}, high + Vec3{margin, margin, margin}};
  }
};

using input::Component;

}  // namespace tessarin::preview
