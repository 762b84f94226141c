#pragma once
// Lists of stretches along one ray, ordered by entry and apart from each
// other: the region of one cell. Taking away works in place of the caller's
// vectors so that tracing a ray allocates nothing once they have grown.

#include <vector>

#include "raytrace/ray.h"

namespace tessarin::raytrace {

// Sorts `spans` by entry and joins those that overlap or touch.
void Merge(std::vector<Span>& spans);

// `from` without every stretch of `removed` (both ordered and apart), into
// `out`; a cut end takes the surface of the stretch that cut it.
void Subtract(const std::vector<Span>& from, const std::vector<Span>& removed, std::vector<Span>& out);

}  // namespace tessarin::raytrace
