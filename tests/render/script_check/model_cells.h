#pragma once
// Where the input's cells are, decided from the geometry model alone: a cell
// is the intersection of its surfaces' sides, without every cell it
// complements together with the cells nested inside those. Written apart
// from the RT script writer so that the two can be compared.

#include <string>
#include <vector>

#include "input/geometry_model.h"

namespace tessarin::render::script_check {

using input::Vec3;

// The value whose sign says on which side of the surface the point lies
// (negative: inside a sphere, cylinder or cone, or behind a plane's normal);
// its magnitude is the distance to the surface.
double SurfaceSide(const input::SurfaceRecord& surface, const Vec3& point);

class ModelCells {
 public:
  explicit ModelCells(const input::GeometryModel& model);

  bool InCell(int cellIndex, const Vec3& point) const;
  // The script's names of the material regions whose cells hold the point.
  std::vector<std::string> RegionsAt(const Vec3& point) const;
  // Distance to the nearest surface that bounds a cell.
  double BoundaryDistance(const Vec3& point) const;

 private:
  bool InSurfaces(int cellIndex, const Vec3& point) const;
  // The cell with every cell nested inside it.
  bool InCellOrNested(int cellIndex, const Vec3& point, int depth) const;
  bool InCellAt(int cellIndex, const Vec3& point, int depth) const;

  const input::GeometryModel& model_;
  std::vector<std::vector<int>> nested_;  // per cell: the cells whose enclosing cell it is
  std::vector<int> boundingSurfaces_;
};

// "M%d", or "V%d" with the negated identifier for a void material.
std::string ScriptRegionName(const input::MaterialTable& materials, int materialIndex);

}  // namespace tessarin::render::script_check
