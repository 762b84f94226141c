#pragma once
// Whether MGED can draw an arbn: it walks the line where each two planes
// meet, and every point where a third plane crosses that line and which no
// plane excludes (within its distance tolerance) counts as an end of the
// edge. An edge with more than two distinct ends is reported as non-convex;
// planes that pass a vertex they do not make at a shallow angle cause it.

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
bool ArbnEdgesDrawable(const std::vector<ArbnPlane>& planes, double tolerance, double slack);

}  // namespace tessarin::render
