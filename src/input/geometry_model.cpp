#include "input/geometry_model.h"

#include <algorithm>

namespace tessarin::input {
namespace {

template <typename Records, typename Matches>
int FindFirst(const Records& records, Matches matches) {
  auto found = std::find_if(records.begin(), records.end(), matches);
  return found == records.end() ? -1 : static_cast<int>(found - records.begin());
}

}  // namespace

int MaterialTable::Find(std::int32_t id) const {
  return FindFirst(materialId, [id](std::int32_t candidate) { return candidate == id; });
}

int GeometryModel::FindRegularSurface(std::int32_t id) const {
  return FindFirst(surfaces, [id](const SurfaceRecord& s) { return s.owner == -1 && s.facetNumber == id; });
}

int GeometryModel::FindMacrobody(std::int32_t id) const {
  return FindFirst(macrobodies, [id](const MacrobodyRecord& m) { return m.id == id; });
}

int GeometryModel::FindCell(std::int32_t id) const {
  return FindFirst(cells, [id](const CellRecord& c) { return c.id == id; });
}

int GeometryModel::FindUnion(std::int32_t id) const {
  return FindFirst(unions, [id](const UnionRecord& u) { return u.id == id; });
}

int GeometryModel::FindTransformation(std::int32_t id) const {
  return FindFirst(transformations, [id](const TransformRecord& t) { return t.id == id; });
}

void ClearGeometryModel(GeometryModel& model) {
  PrecisionSettings kept = model.precision;
  model = GeometryModel{};
  model.precision = kept;
}

SurfaceRecord MakePlane(const Vec3& point, const Vec3& normal) {
  SurfaceRecord plane;
  plane.kind = SurfaceKind::Plane;
  plane.point = point;
  plane.direction = normal;
  plane.planeConstant = -Dot(normal, point);
  return plane;
}

}  // namespace tessarin::input
