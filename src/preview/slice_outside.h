#pragma once
// Where the flood fill of a slice may start: the empty pixels on the
// picture's edge from which one can leave the world, in the slice's plane
// and straight outwards, without meeting a cell. An empty pixel on the edge
// may as well lie in a gap the picture shows only part of (zoomed in); it
// then seeds nothing, so the gap stays a gap at every zoom.

#include <vector>

#include "preview/point_locator.h"
#include "preview/slice_frame.h"
#include "preview/slice_scan.h"

namespace tessarin::preview {

// Per pixel of `cells` (scanned from `frame`): true for the edge pixels the
// flood fill starts from.
std::vector<bool> OutsideSeeds(const PointLocator& locator, const SliceFrame& frame, const SliceCells& cells);

}  // namespace tessarin::preview
