#include "ui/geometry_view_scene.h"

#include <cstring>

#include "platform/format_text.h"
#include "preview/set_world.h"
#include "preview/slice_scan.h"
#include "render/region_rows.h"

namespace tessarin::ui {

namespace {

// FNV-1a over the bytes of plain values.
class Digest {
 public:
  template <typename T>
  void Add(const T& value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    for (unsigned char byte : bytes) hash_ = (hash_ ^ byte) * 1099511628211ULL;
  }
  template <typename T>
  void AddAll(const std::vector<T>& values) {
    Add(values.size());
    for (const T& value : values) Add(value);
  }
  std::uint64_t Value() const { return hash_; }

 private:
  std::uint64_t hash_ = 14695981039346656037ULL;
};

std::string CellText(const GeometryViewScene& scene, int cell) {
  const input::CellRecord& record = scene.model.cells[static_cast<std::size_t>(cell)];
  const input::MaterialTable& materials = scene.model.materials;
  if (record.material < 0 || record.material >= materials.Count()) return platform::FormatText("cell C%d", record.id);
  const std::size_t m = static_cast<std::size_t>(record.material);
  std::string text = platform::FormatText("cell C%d   material %d", record.id, materials.materialId[m]);
  if (!materials.materialName[m].empty()) text += " \"" + materials.materialName[m] + "\"";
  return text + "   region " + render::RegionRowName(materials, record.material);
}

}  // namespace

GeometryViewScene::GeometryViewScene(const input::GeometryModel& source, const settings::VIEWPARM& set)
    : model(source),
      cellColours(preview::CellColours(source, set)),
      legend(preview::SliceLegend(source, set)),
      locator(model, preview::WorldCubeOf(set)) {}

std::uint64_t SceneDigest(const input::GeometryModel& model, const settings::VIEWPARM& set) {
  Digest digest;
  digest.Add(model.loaded);
  digest.AddAll(model.materials.materialId);
  for (const input::SurfaceRecord& surface : model.surfaces) {
    digest.Add(surface.kind);
    digest.Add(surface.point);
    digest.Add(surface.direction);
    digest.Add(surface.planeConstant);
    digest.Add(surface.radius);
    digest.Add(surface.halfAngle);
  }
  for (const input::CellRecord& cell : model.cells) {
    digest.Add(cell.id);
    digest.Add(cell.material);
    digest.Add(cell.enclosingCell);
    digest.AddAll(cell.surfaces);
    digest.AddAll(cell.senses);
    digest.AddAll(cell.complementCells);
  }
  digest.Add(model.precision.distancePrecision);
  digest.Add(set.viewCenter);
  digest.Add(set.viewSize);
  digest.Add(set.maximumObjectSizeRatio);
  for (const settings::REGIONDATA& row : set.rows) digest.Add(row.color);
  return digest.Value();
}

std::string PointDescription(const GeometryViewScene& scene, const input::Vec3& point) {
  std::string text = platform::FormatText("(%.4g, %.4g, %.4g) cm   ", point.x, point.y, point.z);
  const preview::PointCells found = scene.locator.Locate(point);
  if (found.insideCount == 1) return text + CellText(scene, found.inside[0]);
  if (found.insideCount >= 2)
    return text + platform::FormatText("overlap of C%d and C%d", scene.model.cells[static_cast<std::size_t>(found.inside[0])].id,
                                       scene.model.cells[static_cast<std::size_t>(found.inside[1])].id);
  if (found.boundaryCell >= 0)
    return text + platform::FormatText("on the boundary of C%d",
                                       scene.model.cells[static_cast<std::size_t>(found.boundaryCell)].id);
  return text + "no cell";
}

}  // namespace tessarin::ui

namespace tessarin::ui {

std::string PixelDescription(const GeometryViewScene& scene, const preview::SliceFrame& frame, double column,
                             double row) {
  const input::Vec3 point = preview::SlicePoint(scene.locator, frame, column, row);
  // The coordinates shown are those of the plane itself.
  std::string text = PointDescription(scene, point);
  const input::Vec3 shown = frame.PixelCentre(column, row);
  return platform::FormatText("(%.4g, %.4g, %.4g) cm", shown.x, shown.y, shown.z) + text.substr(text.find(" cm") + 3);
}

}  // namespace tessarin::ui
