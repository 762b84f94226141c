#pragma once
// A box around each cell, as tight as can be had cheaply: the bounds its own
// surfaces give directly (axis planes, spheres, cylinders and cones along an
// axis, the corners of the polyhedron its planes make), then the world faces
// still untouched pulled towards the cell by the clipping. Complements only
// take volume away, so they are left out.

#include <vector>

#include "input/geometry_model.h"
#include "preview/box3.h"

namespace tessarin::preview {

struct CellBound {
  Box3 box;
  bool empty = false;  // the cell has no volume inside the world
};

// `world` is the cube everything is cut to; `clipCycles` the bisection
// steps of each pulled face (0: direct bounds only).
std::vector<CellBound> FindCellBounds(const input::GeometryModel& model, const Box3& world, int clipCycles);

}  // namespace tessarin::preview
