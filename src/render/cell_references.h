#pragma once
// What each bounding-surface entry of a cell is for the script: a plain
// surface, an explicit facet of a macrobody, part of a general macrobody,
// or part of a whole standard macrobody.

#include "input/geometry_model.h"

namespace tessarin::render {

enum class ReferenceKind { Plain, ExplicitFacet, GeneralPart, WholeStandard };

struct CellReference {
  ReferenceKind kind = ReferenceKind::Plain;
  int surface = 0;     // surface index
  int sense = 1;
  int macrobody = -1;  // macrobody index for every kind but Plain
  int facet = 0;       // facet number of an explicit facet
};

CellReference ClassifyReference(const input::GeometryModel& model, const input::CellRecord& cell, int position);

// A reference written as a surface of its own (everything but a whole
// standard macrobody) whose surface is a plane: it goes into the cell's arbn.
[[nodiscard]] bool IsPlaneReference(const input::GeometryModel& model, const CellReference& reference);

}  // namespace tessarin::render
