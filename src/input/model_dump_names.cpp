#include "input/model_dump_names.h"

#include "platform/shortest_number.h"

namespace tessarin::input::dump {
namespace {

constexpr const char* kNone = "none";

template <typename Table>
bool Holds(const Table& table, std::int64_t index) {
  return index >= 0 && static_cast<std::size_t>(index) < table.size();
}

}  // namespace

std::string Number(double value) {
  // A negative zero is dumped as 0.
  return platform::ShortestText(value == 0 ? 0.0 : value);
}

std::string Vector(const Vec3& v) { return Number(v.x) + "," + Number(v.y) + "," + Number(v.z); }

std::string MaterialName(const GeometryModel& model, std::int32_t index) {
  if (!Holds(model.materials.materialId, index)) return kNone;
  return "M" + std::to_string(model.materials.materialId[static_cast<std::size_t>(index)]);
}

std::string SurfaceName(const GeometryModel& model, std::size_t index) {
  if (index >= model.surfaces.size()) return "#" + std::to_string(index);
  const SurfaceRecord& surface = model.surfaces[index];
  if (surface.facetNumber <= 0) return "#" + std::to_string(index);
  if (surface.owner < 0) return "S" + std::to_string(surface.facetNumber);
  return MacrobodyName(model, static_cast<std::size_t>(surface.owner)) + "." + std::to_string(surface.facetNumber);
}

std::string MacrobodyName(const GeometryModel& model, std::size_t index) {
  if (index >= model.macrobodies.size()) return kNone;
  return "S" + std::to_string(model.macrobodies[index].id);
}

std::string CellName(const GeometryModel& model, std::int32_t index) {
  return Holds(model.cells, index) ? "C" + std::to_string(model.cells[static_cast<std::size_t>(index)].id) : kNone;
}

std::string UnionName(const GeometryModel& model, std::int32_t index) {
  return Holds(model.unions, index) ? "UNION" + std::to_string(model.unions[static_cast<std::size_t>(index)].id)
                                    : kNone;
}

}  // namespace tessarin::input::dump
