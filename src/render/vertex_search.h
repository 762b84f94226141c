#pragma once
// The vertex search of the region test: points where the region's boundary
// surfaces meet, found along the curves in which pairs of them intersect,
// and from such a point a point strictly inside the region.

#include "render/clip_context.h"
#include "render/half_space_list.h"

namespace tessarin::render {

enum class [[nodiscard]] VertexSearchOutcome {
  Found,    // the region is not empty; the list's interior point is set when one could be reached
  Empty,    // curves exist, but none touches the region
  NoCurve,  // no two surfaces meet along a curve with a parametric form
};

VertexSearchOutcome SearchVertex(ClipContext& context, HalfSpaceList& list);

}  // namespace tessarin::render
