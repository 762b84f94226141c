#include "input/layer_geometry.h"

#include <optional>
#include <string>

#include "input/cell_messages.h"
#include "input/material_directive.h"
#include "input/number_list.h"
#include "input/numbers.h"
#include "input/quoted_name.h"
#include "input/surface_storage.h"

namespace tessarin::input {
namespace {

constexpr std::int32_t kLayerMaterialId = 1;
constexpr std::int32_t kFrontSurfaceId = 1;
constexpr std::int32_t kRearSurfaceId = 2;

constexpr NumberListTexts kFrontSurfaceTexts{nullptr, messages::kLayerSurfaceNumber, messages::kLayerSurfaceTooFew};

SurfaceRecord LayerPlane(const Vec3& point, const Vec3& normal, std::int32_t id) {
  SurfaceRecord plane = MakePlane(point, normal);
  plane.facetNumber = id;
  return plane;
}

}  // namespace

bool DefineLayerMaterial(DirectiveContext& context, const DirectiveCall& call) {
  QuotedNameResult name = ReadQuotedName(context, call.keyword, messages::kLayerMaterialNameQuote);
  if (!name.ok) return false;
  MaterialTable& materials = context.model.materials;
  materials = MaterialTable{};
  AppendMaterial(materials, kLayerMaterialId, name.name.value_or(std::string()));
  return true;
}

bool DefineLayerSurface(DirectiveContext& context, const DirectiveCall&) {
  double entries[6] = {0, 0, 0, 0, 0, 0};
  if (!ReadNumberList(context, std::nullopt, entries, 6, kFrontSurfaceTexts)) return false;
  Vec3 normal{entries[3], entries[4], entries[5]};
  if (normal.x == 0 && normal.y == 0) {
    if (normal.z == 0) return context.Fail(messages::kLayerSurfaceZeroNormal);
    normal = {0, 0, normal.z > 0 ? 1.0 : -1.0};
  } else {
    normal = Unit(normal);
  }
  context.model.surfaces.assign(1, LayerPlane({entries[0], entries[1], entries[2]}, normal, kFrontSurfaceId));
  return true;
}

bool DefineLayerThickness(DirectiveContext& context, const DirectiveCall&) {
  std::optional<std::string_view> token = context.tokens.NextToken();
  if (!token) return context.Fail(messages::kThicknessMissing);
  // An infinite thickness is a half-space, as a non-positive one is.
  context.state.layerThickness = ParseLeadingNumber(*token).value_or(0);
  return true;
}

void CompleteLayerGeometry(GeometryModel& model, double thickness) {
  if (model.surfaces.empty()) model.surfaces.push_back(LayerPlane({0, 0, 0}, {0, 0, 1}, kFrontSurfaceId));
  model.surfaces.resize(1);
  // The cell refers to material index 0, which must exist even without MAT.
  if (model.materials.Count() == 0) AppendMaterial(model.materials, kLayerMaterialId);
  CellRecord cell;
  cell.id = 1;
  cell.material = 0;
  cell.surfaces.push_back(0);
  cell.senses.push_back(1);
  if (thickness > 0) {
    const SurfaceRecord front = model.surfaces.front();
    model.surfaces.push_back(LayerPlane(front.point + thickness * front.direction, front.direction, kRearSurfaceId));
    cell.surfaces.push_back(1);
    cell.senses.push_back(-1);
  }
  cell.originMacrobody.assign(cell.surfaces.size(), 0);
  cell.originFacet.assign(cell.surfaces.size(), 0);
  model.cells.assign(1, std::move(cell));
  model.cellTransforms.assign(1, TransformRecord{});
  model.maxCellSurfaces = model.cells.front().surfaceCount();
}

}  // namespace tessarin::input
