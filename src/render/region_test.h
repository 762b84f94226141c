#pragma once
// The region test: is the intersection of a half-space list a region of
// positive volume? Pairs of entries are judged first (a pair that shares no
// volume ends the test; an entry another implies is dropped); the vertex
// search over what remains looks for a point of the region's boundary and a
// point strictly inside it.

#include <vector>

#include "render/clip_context.h"
#include "render/half_space_list.h"

namespace tessarin::render {

struct RegionTestDetails {
  std::vector<bool> redundant;  // per entry of the list tested
  bool anyRedundant = false;
};

// True when the region is not empty. The interior point found is stored in
// the list. The vertex search may raise the distance precision for the rest
// of the test; it is restored before the test returns.
[[nodiscard]] bool RegionTest(ClipContext& context, HalfSpaceList& list, RegionTestDetails* details = nullptr);

// The candidates (positions in `list`) whose reversed half-space does not
// meet the region of the others: the planes that do not cut it. All are
// judged against the unchanged list.
std::vector<int> PlanesNotCutting(ClipContext& context, HalfSpaceList& list, const std::vector<int>& candidates);

// Whether reversing entry `position` leaves a non-empty region (the surface
// cuts the region); the sense is restored afterwards.
[[nodiscard]] bool ReversedRegionExists(ClipContext& context, HalfSpaceList& list, int position);

}  // namespace tessarin::render
