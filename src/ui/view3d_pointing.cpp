#include "ui/view3d_pointing.h"

#include <vector>

#include "platform/format_text.h"
#include "raytrace/ray_walk.h"
#include "ui/view3d_messages.h"

namespace tessarin::ui {

namespace {

// The middle of the cell's stretch that begins at or around `entry`; the
// entry itself when the ray holds none (the cell was only grazed).
input::Vec3 MiddleOfStretch(const raytrace::RayEngine& engine, const raytrace::Ray& ray, std::int32_t cell,
                            double entry) {
  double from = -HUGE_VAL, to = HUGE_VAL;
  if (!engine.ClipToWorld(ray, from, to)) return ray.At(entry);
  raytrace::TraceScratch scratch;
  std::vector<raytrace::CellSpan> spans;
  engine.Trace(ray, from, to, scratch, spans);
  const double slack = 10 * engine.Tolerance() + 1e-9 * std::abs(entry);
  for (const raytrace::CellSpan& span : spans) {
    if (span.cell != cell || span.span.exit < entry - slack) continue;
    if (span.span.entry > entry + slack) break;
    const double begin = std::max(span.span.entry, entry);
    return ray.At(0.5 * (begin + span.span.exit));
  }
  return ray.At(entry);
}

}  // namespace

std::optional<View3dHit> HitAtPixel(const view3d::Scene& scene, const view3d::Picture& picture, int column, int row) {
  if (column < 0 || row < 0 || column >= picture.image.width || row >= picture.image.height ||
      picture.hits.size() != static_cast<std::size_t>(picture.image.width) * static_cast<std::size_t>(picture.image.height))
    return std::nullopt;
  const view3d::PixelHit& pixel = picture.HitAt(column, row);
  if (pixel.look < 0 || static_cast<std::size_t>(pixel.look) >= scene.looks.size()) return std::nullopt;
  const raytrace::Ray ray = picture.camera.RayThrough(column + 0.5, row + 0.5);
  View3dHit hit;
  hit.region = scene.looks[static_cast<std::size_t>(pixel.look)].region;
  hit.point = ray.At(pixel.distance);
  hit.inside = hit.point;
  if (pixel.cell >= 0 && static_cast<std::size_t>(pixel.cell) < scene.cellIds.size()) {
    hit.cell = pixel.cell;
    hit.cellId = scene.cellIds[static_cast<std::size_t>(pixel.cell)];
    if (scene.engine) hit.inside = MiddleOfStretch(*scene.engine, ray, pixel.cell, pixel.distance);
  }
  return hit;
}

std::string HitDescription(const std::optional<View3dHit>& hit, const input::GeometryModel& model) {
  if (!hit) return messages::kView3dNothingHit;
  const input::Vec3& p = hit->point;
  if (hit->cell < 0) return platform::FormatText(messages::kView3dRegionHit, hit->region.c_str(), p.x, p.y, p.z);
  std::string material;
  const std::size_t cell = static_cast<std::size_t>(hit->cell);
  // The model may have been read again since the picture was drawn.
  if (cell < model.cells.size() && model.cells[cell].id == hit->cellId) {
    const int index = model.cells[cell].material;
    const input::MaterialTable& materials = model.materials;
    if (index >= 0 && index < materials.Count()) {
      const std::size_t m = static_cast<std::size_t>(index);
      material = materials.materialName[m].empty()
                     ? platform::FormatText(messages::kView3dMaterial, materials.materialId[m])
                     : platform::FormatText(messages::kView3dNamedMaterial, materials.materialId[m],
                                            materials.materialName[m].c_str());
    }
  }
  return platform::FormatText(messages::kView3dCellHit, hit->cellId, material.c_str(), hit->region.c_str(), p.x, p.y,
                               p.z);
}

}  // namespace tessarin::ui
