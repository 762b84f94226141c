#include "render/script_world.h"

#include "render/region_test.h"

namespace tessarin::render {

bool WriteWorld(ScriptScene& scene) {
  HalfSpaceList& world = scene.worldList;
  world = HalfSpaceList{};
  for (int face = 0; face < kWorldFaces; ++face) world.Append(scene.Face(face), -1);
  if (!scene.set.useCutawayPlane) {
    const input::Vec3 c = scene.Scaled(scene.viewCenter);
    const double h = scene.scale * scene.halfWorld;
    scene.Append("in World rpp   %.15g %.15g %.15g %.15g %.15g %.15g\n", c.x - h, c.x + h, c.y - h, c.y + h, c.z - h,
                 c.z + h);
    return true;
  }
  world.Append(scene.Cutaway(), -1);
  if (!RegionTest(scene.clip, world)) return false;
  std::vector<int> candidates;
  for (int k = 0; k < world.Count(); ++k) candidates.push_back(k);
  const std::vector<int> removable = PlanesNotCutting(scene.clip, world, candidates);
  for (auto it = removable.rbegin(); it != removable.rend(); ++it) world.RemoveAt(*it);
  scene.cutawayInWorld = world.Find(scene.Cutaway()) >= 0;
  scene.Append("in World arbn %d", world.Count());
  for (int k = 0; k < world.Count(); ++k)
    AppendArbnPlane(scene, scene.model.surfaces[static_cast<std::size_t>(world.surfaces[static_cast<std::size_t>(k)])],
                    -1);
  scene.text += "\n";
  return true;
}

}  // namespace tessarin::render
