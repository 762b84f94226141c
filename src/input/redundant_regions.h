#pragma once
// Dropping the entries of a bounding list that other entries make redundant
// (a half-space implied by another one, the same region listed twice).

#include <vector>

#include "input/bounding_list.h"
#include "input/geometry_model.h"

namespace tessarin::input {

// Compares every pair of entries, earlier against later; a redundant entry
// is dropped and takes part in no further comparison. The rest keep their
// order. Returns the dropped entries in list order.
std::vector<BoundingEntry> RemoveRedundantRegions(const GeometryModel& model, BoundingList& list);

}  // namespace tessarin::input
