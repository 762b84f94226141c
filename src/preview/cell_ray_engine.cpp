#include "preview/cell_ray_engine.h"

namespace tessarin::preview {

raytrace::RayEngine RayEngineOver(const input::GeometryModel& model, const Box3& world,
                                  const std::vector<CellBound>& bounds) {
  std::vector<raytrace::CellBox> boxes;
  boxes.reserve(bounds.size());
  for (const CellBound& bound : bounds) boxes.push_back({bound.box.low, bound.box.high, bound.empty});
  return raytrace::RayEngine(model, {world.low, world.high, false}, boxes);
}

raytrace::RayEngine BuildRayEngine(const input::GeometryModel& model, const Box3& world, int clipCycles) {
  return RayEngineOver(model, world, FindCellBounds(model, world, clipCycles));
}

}  // namespace tessarin::preview
