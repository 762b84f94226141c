#pragma once
// Whether MGED can use an arbn. It walks the line where each two planes
// meet, and every point where a third plane crosses that line and which no
// plane excludes (within its distance tolerance) counts as an end of the
// edge: an edge with more than two distinct ends is reported as non-convex
// (planes that pass a corner they do not make at a shallow angle cause it).
// And every plane must carry a face: a plane that only touches the solid,
// or misses it, makes its preparation for raytracing fail, and the cell is
// gone from every picture.

#include <vector>

#include "input/vec3.h"

namespace tessarin::render {

// BRL-CAD's distance tolerance, 0.0005 mm, in the script's centimetres.
inline constexpr double kMgedDistanceTolerance = 5e-5;

struct ArbnPlane {
  input::Vec3 normal;  // unit, pointing out of the solid
  double offset = 0;   // normal·x ≤ offset inside
};

// True when no edge has more than two ends further apart than `tolerance`
// among the points that satisfy every plane within `slack` (a wider margin
// than MGED's own, so that its rounding cannot tip the verdict).
[[nodiscard]] bool ArbnEdgesDrawable(const std::vector<ArbnPlane>& planes, double tolerance, double slack);

// The corners of an arbn, counted by plane: points where three planes meet
// that satisfy every plane within `slack` (narrower than MGED's tolerance,
// so that MGED surely finds a corner where this does).
struct ArbnCorners {
  bool any = true;                      // false: the planes enclose nothing
  std::vector<std::size_t> cornerless;  // positions of the planes that make no corner
};
ArbnCorners FindArbnCorners(const std::vector<ArbnPlane>& planes, double slack);

}  // namespace tessarin::render
