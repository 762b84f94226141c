#pragma once
// The ray engine of a model over the cells' boxes that the geometry view
// already finds, so that the engine and the point locator see the same
// cells in the same world.

#include <vector>

#include "input/geometry_model.h"
#include "preview/box3.h"
#include "preview/cell_bounds.h"
#include "raytrace/ray_engine.h"

namespace tessarin::preview {

raytrace::RayEngine RayEngineOver(const input::GeometryModel& model, const Box3& world,
                                  const std::vector<CellBound>& bounds);

// Finds the boxes first, as the locator does.
raytrace::RayEngine BuildRayEngine(const input::GeometryModel& model, const Box3& world, int clipCycles = 24);

}  // namespace tessarin::preview
