#include "view3d/scene.h"

#include <algorithm>

#include "platform/format_text.h"
#include "preview/cell_ray_engine.h"
#include "preview/set_world.h"
#include "render/region_rows.h"

namespace tessarin::view3d {

namespace {

Look LookOfRow(const settings::VIEWPARM& set, std::size_t row, std::string region) {
  const settings::REGIONDATA data = settings::RowOrPalette(set.rows, row);
  Look look;
  look.region = std::move(region);
  look.colour = {data.color.red, data.color.green, data.color.blue};
  look.transparency = std::clamp(data.transparency, 0.0, 1.0);
  look.shown = data.show != 0;
  return look;
}

}  // namespace

Scene SceneOfSet(const input::GeometryModel& model, const settings::VIEWPARM& set) {
  Scene scene;
  scene.engine = std::make_shared<const raytrace::RayEngine>(preview::BuildRayEngine(model, preview::WorldCubeOf(set)));
  scene.cellIds.reserve(model.cells.size());
  for (const input::CellRecord& cell : model.cells) scene.cellIds.push_back(cell.id);
  RefreshLooks(scene, model, set);
  return scene;
}

void RefreshLooks(Scene& scene, const input::GeometryModel& model, const settings::VIEWPARM& set) {
  const std::vector<int> used = render::UsedMaterials(model);
  scene.looks.clear();
  std::vector<std::int32_t> lookOfMaterial(model.materials.materialId.size(), -1);
  for (std::size_t row = 0; row < used.size(); ++row) {
    const auto material = static_cast<std::size_t>(used[row]);
    lookOfMaterial[material] = static_cast<std::int32_t>(row);
    scene.looks.push_back(LookOfRow(set, row, render::MaterialRegionName(model.materials.materialId[material])));
  }
  scene.cellLooks.assign(model.cells.size(), -1);
  for (std::size_t i = 0; i < model.cells.size(); ++i) {
    const std::int32_t material = model.cells[i].material;
    if (material >= 0 && static_cast<std::size_t>(material) < lookOfMaterial.size())
      scene.cellLooks[i] = lookOfMaterial[static_cast<std::size_t>(material)];
  }
  scene.sourceCentre.reset();
  scene.sourceLook = -1;
  if (render::HasSourceRegion(model, set)) {
    scene.sourceCentre = model.source.centre;
    scene.sourceRadius = 0.5 * set.sourceSizeRatio * set.viewSize;
    scene.sourceLook = static_cast<std::int32_t>(scene.looks.size());
    scene.looks.push_back(LookOfRow(set, used.size(), std::string(render::kSourceRegionName)));
  }
  scene.cutaway.reset();
  const Vec3 normal{set.cutawayPlaneNormal.x, set.cutawayPlaneNormal.y, set.cutawayPlaneNormal.z};
  if (set.useCutawayPlane != 0 && Norm(normal) > 0)
    scene.cutaway = CutawayPlane{{set.cutawayPlanePoint.x, set.cutawayPlanePoint.y, set.cutawayPlanePoint.z},
                                 Unit(normal)};
  scene.background = {set.backgroundColorRGB.red, set.backgroundColorRGB.green, set.backgroundColorRGB.blue};
  scene.maximumObjectSizeRatio = set.maximumObjectSizeRatio;
}

}  // namespace tessarin::view3d
