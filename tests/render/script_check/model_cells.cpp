#include "render/script_check/model_cells.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace tessarin::render::script_check {

double SurfaceSide(const input::SurfaceRecord& s, const Vec3& x) {
  Vec3 q = x - s.point;
  switch (s.kind) {
    case input::SurfaceKind::Plane: return input::Dot(s.direction, x) + s.planeConstant;
    case input::SurfaceKind::Sphere: return input::Norm(q) - s.radius;
    case input::SurfaceKind::Cylinder: {
      Vec3 radial = q - input::Dot(q, s.direction) * s.direction;
      return input::Norm(radial) - s.radius;
    }
    case input::SurfaceKind::Cone: {
      // One nappe, opening from the apex along the axis. Behind the apex,
      // within the mirrored cone of normals, the apex is the nearest point.
      double along = input::Dot(q, s.direction);
      double distance = input::Norm(q);
      if (along < 0 && along <= -std::sin(s.halfAngle) * distance) return distance;
      double radial = input::Norm(q - along * s.direction);
      return radial * std::cos(s.halfAngle) - along * std::sin(s.halfAngle);
    }
  }
  return 0;
}

std::string ScriptRegionName(const input::MaterialTable& materials, int materialIndex) {
  long long id = materials.materialId[static_cast<std::size_t>(materialIndex)];
  return id > 0 ? "M" + std::to_string(id) : "V" + std::to_string(-id);
}

ModelCells::ModelCells(const input::GeometryModel& model) : model_(model), nested_(model.cells.size()) {
  std::set<int> surfaces;
  for (std::size_t i = 0; i < model.cells.size(); ++i) {
    const input::CellRecord& cell = model.cells[i];
    if (cell.enclosingCell >= 0 && static_cast<std::size_t>(cell.enclosingCell) < model.cells.size())
      nested_[static_cast<std::size_t>(cell.enclosingCell)].push_back(static_cast<int>(i));
    surfaces.insert(cell.surfaces.begin(), cell.surfaces.end());
  }
  boundingSurfaces_.assign(surfaces.begin(), surfaces.end());
}

bool ModelCells::InSurfaces(int cellIndex, const Vec3& point) const {
  const input::CellRecord& cell = model_.cells[static_cast<std::size_t>(cellIndex)];
  for (std::size_t k = 0; k < cell.surfaces.size(); ++k) {
    double side = SurfaceSide(model_.surfaces[cell.surfaces[k]], point);
    if ((cell.senses[k] < 0) != (side < 0)) return false;
  }
  return true;
}

bool ModelCells::InCell(int cellIndex, const Vec3& point) const { return InCellAt(cellIndex, point, 0); }

bool ModelCells::InCellAt(int cellIndex, const Vec3& point, int depth) const {
  if (depth > static_cast<int>(model_.cells.size()) || !InSurfaces(cellIndex, point)) return false;
  for (std::int32_t excluded : model_.cells[static_cast<std::size_t>(cellIndex)].complementCells)
    if (InCellOrNested(excluded, point, depth + 1)) return false;
  return true;
}

bool ModelCells::InCellOrNested(int cellIndex, const Vec3& point, int depth) const {
  if (InCellAt(cellIndex, point, depth)) return true;
  for (int inner : nested_[static_cast<std::size_t>(cellIndex)])
    if (InCellOrNested(inner, point, depth + 1)) return true;
  return false;
}

std::vector<std::string> ModelCells::RegionsAt(const Vec3& point) const {
  std::set<std::string> regions;
  for (std::size_t i = 0; i < model_.cells.size(); ++i)
    if (InCell(static_cast<int>(i), point))
      regions.insert(ScriptRegionName(model_.materials, model_.cells[i].material));
  return {regions.begin(), regions.end()};
}

double ModelCells::BoundaryDistance(const Vec3& point) const {
  double nearest = HUGE_VAL;
  for (int surface : boundingSurfaces_)
    nearest = std::min(nearest, std::fabs(SurfaceSide(model_.surfaces[static_cast<std::size_t>(surface)], point)));
  return nearest;
}

}  // namespace tessarin::render::script_check
