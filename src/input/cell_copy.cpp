#include "input/cell_copy.h"

#include <optional>

#include "input/cell_messages.h"
#include "input/messages.h"
#include "input/numbers.h"
#include "input/owned_token.h"
#include "input/surface_coincidence.h"
#include "input/transformation.h"
#include "platform/format_text.h"
#include "platform/text_case.h"

namespace tessarin::input {
namespace {

constexpr std::string_view kTransformPrefix = "TR";

// The index of the surface that a copied surface becomes: the first
// coinciding one, else a new record; -1 after an error.
int CopiedSurfaceIndex(DirectiveContext& context, SurfaceRecord moved) {
  GeometryModel& model = context.model;
  int found = FindCoinciding(model, moved);
  if (found >= 0) return found;
  if (static_cast<int>(model.surfaces.size()) >= kMaxSurfaces) {
    context.Fail(platform::FormatText(messages::kSurfaceLimit, kMaxSurfaces));
    return -1;
  }
  moved.facetNumber = 0;
  model.surfaces.push_back(moved);
  return static_cast<int>(model.surfaces.size()) - 1;
}

bool CopySurfaces(DirectiveContext& context, int originalIndex, const TransformRecord& transform,
                  BoundingList& list) {
  GeometryModel& model = context.model;
  // The original's arrays are copied first: new surfaces grow the table.
  const CellRecord original = model.cells[static_cast<std::size_t>(originalIndex)];
  for (std::size_t k = 0; k < original.surfaces.size(); ++k) {
    SurfaceRecord moved = TransformSurface(model.surfaces[original.surfaces[k]], transform);
    int index = CopiedSurfaceIndex(context, moved);
    if (index < 0) return false;
    std::int8_t sense = original.senses[k];
    const SurfaceRecord& reused = model.surfaces[static_cast<std::size_t>(index)];
    if (moved.kind == SurfaceKind::Plane && Dot(reused.direction, moved.direction) < 0)
      sense = static_cast<std::int8_t>(-sense);
    list.Append({static_cast<std::uint16_t>(index), sense, original.originMacrobody[k], original.originFacet[k]});
  }
  return true;
}

}  // namespace

bool IsCellTransformToken(std::string_view token) {
  return token.size() > kTransformPrefix.size() && platform::StartsWithIgnoringCase(token, kTransformPrefix) &&
         BeginsWithPositiveInteger(token.substr(kTransformPrefix.size()));
}

bool ReadCellCopy(DirectiveContext& context, const std::string& transformToken, bool surfacesGiven,
                  CellCopyState& state, BoundingList& list) {
  GeometryModel& model = context.model;
  std::optional<std::int32_t> transformId = ParseIdentifier(std::string_view(transformToken).substr(2));
  if (!transformId) return context.Fail(platform::FormatText(messages::kCopyTransformInvalid, transformToken.c_str()));
  int transformIndex = model.FindTransformation(*transformId);
  if (transformIndex < 0) return context.Fail(platform::FormatText(messages::kCopyTransformUnknown, transformToken.c_str()));
  if (state.copied) return context.Fail(messages::kCopyTransformMultiple);
  if (surfacesGiven) return context.Fail(messages::kCopyTransformAfterSurfaces);

  std::optional<std::string> next = NextOwnedToken(context.tokens);
  if (!next) return context.Fail(platform::FormatText(messages::kCopyOriginalCellMissing, *transformId));
  const std::string& originalToken = *next;
  std::optional<std::int32_t> originalId = ParseIdentifier(originalToken);
  if (!originalId)
    return context.Fail(platform::FormatText(messages::kCopyOriginalCellInvalid, originalToken.c_str(), *transformId));
  int originalIndex = model.FindCell(*originalId);
  if (originalIndex < 0)
    return context.Fail(platform::FormatText(messages::kCopyOriginalCellUnknown, originalToken.c_str(), *transformId));

  const TransformRecord transform = model.transformations[static_cast<std::size_t>(transformIndex)];
  const CellRecord& original = model.cells[static_cast<std::size_t>(originalIndex)];
  state.copied = true;
  state.copyRoot = original.copyRoot >= 0 ? original.copyRoot : static_cast<std::int16_t>(originalIndex);
  state.transform = original.copyRoot >= 0
                        ? ComposeTransformations(transform, model.cellTransforms[static_cast<std::size_t>(originalIndex)])
                        : transform;
  return CopySurfaces(context, originalIndex, transform, list);
}

}  // namespace tessarin::input
