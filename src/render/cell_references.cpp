#include "render/cell_references.h"

#include <cstdlib>

namespace tessarin::render {

CellReference ClassifyReference(const input::GeometryModel& model, const input::CellRecord& cell, int position) {
  const std::size_t k = static_cast<std::size_t>(position);
  CellReference reference;
  reference.surface = cell.surfaces[k];
  reference.sense = cell.senses[k];
  const int origin = k < cell.originMacrobody.size() ? cell.originMacrobody[k] : 0;
  const int facet = k < cell.originFacet.size() ? cell.originFacet[k] : 0;
  if (origin == 0) return reference;
  reference.macrobody = std::abs(origin) - 1;
  if (reference.macrobody >= static_cast<int>(model.macrobodies.size())) {
    reference.macrobody = -1;
    return reference;
  }
  if (facet < 0) {
    reference.kind = ReferenceKind::ExplicitFacet;
    reference.facet = -facet;
  } else if (model.macrobodies[static_cast<std::size_t>(reference.macrobody)].kind != input::MacrobodyKind::General &&
             facet > 0) {
    reference.kind = ReferenceKind::WholeStandard;
  } else {
    reference.kind = ReferenceKind::GeneralPart;
  }
  return reference;
}

bool IsPlaneReference(const input::GeometryModel& model, const CellReference& reference) {
  return reference.kind != ReferenceKind::WholeStandard &&
         model.surfaces[static_cast<std::size_t>(reference.surface)].kind == input::SurfaceKind::Plane;
}

}  // namespace tessarin::render
