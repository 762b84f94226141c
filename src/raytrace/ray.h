#pragma once
// A ray of model space and the stretches along it, measured as the distance
// t from the ray's origin (cm; the direction is a unit vector).

#include <cmath>
#include <cstdint>

#include "input/vec3.h"

namespace tessarin::raytrace {

using input::Vec3;

struct Ray {
  Vec3 origin;
  Vec3 direction;  // unit vector

  Vec3 At(double t) const { return origin + t * direction; }
};

// What bounds a stretch at one end: a surface of the model (its index), or
// the limit the caller traced to.
inline constexpr std::int32_t kTraceLimit = -1;

struct Span {
  double entry = HUGE_VAL;
  double exit = -HUGE_VAL;
  std::int32_t entrySurface = kTraceLimit;
  std::int32_t exitSurface = kTraceLimit;

  [[nodiscard]] bool Empty() const { return !(entry < exit); }
};

}  // namespace tessarin::raytrace
