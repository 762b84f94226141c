#include "render/script_scene.h"

#include <cmath>

#include "platform/format_text.h"
#include "render/mged_units.h"

namespace tessarin::render {

using input::SurfaceRecord;
using input::Vec3;

namespace {

Vec3 FromSettings(const settings::Vector3& v) { return {v.x, v.y, v.z}; }

}  // namespace

ScriptScene::ScriptScene(input::GeometryModel& model_, const settings::VIEWPARM& set_)
    : model(model_), set(set_), clip{model_.surfaces, model_.precision, {}, {}} {
  unitRow = ChooseMgedUnit(set.viewSize);
  scale = 1 / kMgedUnits[static_cast<std::size_t>(unitRow)].size;
  worldSize = set.viewSize * set.maximumObjectSizeRatio;
  halfWorld = worldSize / 2;
  viewCenter = FromSettings(set.viewCenter);
  minimumConeRadius = set.viewSize * 1e-4;

  // The world's faces sit around the view centre, where the script's World
  // solid is, so that what the cells are clipped to is what MGED gets.
  firstBoundingPlane = static_cast<int>(model.surfaces.size());
  const std::array<Vec3, kWorldFaces> normals{{{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}}};
  for (const Vec3& normal : normals) model.surfaces.push_back(input::MakePlane(viewCenter + halfWorld * normal, normal));
  Vec3 cutNormal = FromSettings(set.cutawayPlaneNormal);
  if (Norm(cutNormal) > 0) cutNormal = Unit(cutNormal);
  else cutNormal = {0, 0, 1};
  model.surfaces.push_back(input::MakePlane(FromSettings(set.cutawayPlanePoint), cutNormal));
  for (int face = 0; face < kWorldFaces; ++face) {
    faceCopies[static_cast<std::size_t>(face)] = static_cast<int>(model.surfaces.size());
    model.surfaces.push_back(model.surfaces[static_cast<std::size_t>(Face(face))]);
  }
  baseCap = static_cast<int>(model.surfaces.size());
  model.surfaces.push_back(input::MakePlane({}, {0, 0, 1}));
  topCap = static_cast<int>(model.surfaces.size());
  model.surfaces.push_back(input::MakePlane({}, {0, 0, 1}));
}

void ScriptScene::Append(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  text += platform::FormatTextV(format, arguments);
  va_end(arguments);
}

bool ScriptScene::OutsideWorld(const Vec3& point) const {
  const Vec3 offset = point - viewCenter;
  return std::fabs(offset.x) > halfWorld || std::fabs(offset.y) > halfWorld || std::fabs(offset.z) > halfWorld;
}

double ScriptScene::Extended(double length, const Vec3& point) const {
  if (!OutsideWorld(point)) return length;
  return length * (1 + 0.5 * Norm(point - viewCenter) / worldSize);
}

void ScriptScene::ResetFaceCopies() {
  for (int face = 0; face < kWorldFaces; ++face)
    model.surfaces[static_cast<std::size_t>(faceCopies[static_cast<std::size_t>(face)])] =
        model.surfaces[static_cast<std::size_t>(Face(face))];
}

void ScriptScene::RemoveBoundingPlanes() {
  if (static_cast<int>(model.surfaces.size()) > firstBoundingPlane)
    model.surfaces.resize(static_cast<std::size_t>(firstBoundingPlane));
}

void AppendArbnPlane(ScriptScene& scene, const SurfaceRecord& plane, int sense) {
  const double outward = sense < 0 ? 1 : -1;
  // Adding zero turns a negative zero into a plain one.
  const Vec3 normal = outward * plane.direction + Vec3{0, 0, 0};
  scene.Append("   %.15g %.15g %.15g %.15g", normal.x, normal.y, normal.z,
               -outward * scene.scale * plane.planeConstant + 0.0);
}

}  // namespace tessarin::render
