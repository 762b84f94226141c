#include "input/surface_storage.h"

#include "input/messages.h"
#include "input/surface_coincidence.h"
#include "platform/format_text.h"

namespace tessarin::input {
namespace {

bool RoomForSurface(DirectiveContext& context) {
  if (static_cast<int>(context.model.surfaces.size()) < kMaxSurfaces) return true;
  return context.Fail(platform::FormatText(messages::kSurfaceLimit, kMaxSurfaces));
}

template <typename Senses, typename Surfaces>
void NegateFirstReference(Senses& senses, const Surfaces& surfaces, std::size_t surface) {
  for (std::size_t k = 0; k < surfaces.size(); ++k)
    if (surfaces[k] == surface) {
      senses[k] = static_cast<std::int8_t>(-senses[k]);
      return;
    }
}

// The later plane points the other way: the record follows it, and every
// sense that refers to the record is turned round so the regions stay.
void FlipTakenOverPlane(GeometryModel& model, std::size_t index, int creator) {
  SurfaceRecord& record = model.surfaces[index];
  record.direction = -record.direction;
  record.planeConstant = -record.planeConstant;
  for (std::size_t m = 0; m < model.macrobodies.size(); ++m) {
    if (static_cast<int>(m) != creator && record.useCount <= 1) continue;
    NegateFirstReference(model.macrobodies[m].facetSenses, model.macrobodies[m].facetSurfaces, index);
  }
  for (CellRecord& cell : model.cells) NegateFirstReference(cell.senses, cell.surfaces, index);
}

struct FacetEntry {
  std::uint16_t surface = 0;
  std::int8_t sense = -1;
  bool isNew = false;
};

bool AddFacet(DirectiveContext& context, const SurfaceRecord& facet, int facetNumber, int bodyIndex,
              FacetEntry& entry) {
  GeometryModel& model = context.model;
  int found = FindCoinciding(model, facet);
  if (found >= 0) {
    SurfaceRecord& existing = model.surfaces[static_cast<std::size_t>(found)];
    ++existing.useCount;
    entry.surface = static_cast<std::uint16_t>(found);
    bool against = facet.kind == SurfaceKind::Plane && Dot(existing.direction, facet.direction) < 0;
    entry.sense = against ? 1 : -1;
    entry.isNew = false;
    return true;
  }
  if (!RoomForSurface(context)) return false;
  SurfaceRecord added = facet;
  added.facetNumber = facetNumber;
  added.owner = bodyIndex;
  added.useCount = 1;
  entry.surface = static_cast<std::uint16_t>(model.surfaces.size());
  entry.sense = -1;
  entry.isNew = true;
  model.surfaces.push_back(added);
  return true;
}

bool SameFacet(const MacrobodyRecord& a, int i, const MacrobodyRecord& b, int j) {
  return a.facetSurfaces[i] == b.facetSurfaces[j] && a.facetSenses[i] == b.facetSenses[j];
}

// An earlier cylinder or truncated cone made of the same three surfaces.
const MacrobodyRecord* EarlierTwin(const GeometryModel& model, const MacrobodyRecord& body) {
  for (const MacrobodyRecord& other : model.macrobodies) {
    if (other.kind != body.kind || other.facetCount() != 3) continue;
    if (!SameFacet(body, 0, other, 0)) continue;
    bool same = SameFacet(body, 1, other, 1) && SameFacet(body, 2, other, 2);
    bool swapped = SameFacet(body, 1, other, 2) && SameFacet(body, 2, other, 1);
    if (same || swapped) return &other;
  }
  return nullptr;
}

}  // namespace

bool StoreRegularSurface(DirectiveContext& context, SurfaceRecord surface, std::int32_t id) {
  GeometryModel& model = context.model;
  bool warned = false;
  for (std::size_t i = 0; i < model.surfaces.size(); ++i) {
    SurfaceRecord& existing = model.surfaces[i];
    if (!SurfacesCoincide(surface, existing, model.precision)) continue;
    if (existing.owner == -1) {
      if (warned) continue;
      context.Warn(platform::FormatText(messages::kSurfacesCoincide, id, existing.facetNumber));
      warned = true;
      if (model.macrobodies.empty()) break;
      continue;
    }
    int creator = existing.owner;
    existing.owner = -1;
    existing.facetNumber = id;
    if (existing.kind == SurfaceKind::Plane && Dot(existing.direction, surface.direction) < 0)
      FlipTakenOverPlane(model, i, creator);
    return true;
  }
  if (!RoomForSurface(context)) return false;
  surface.facetNumber = id;
  surface.owner = -1;
  surface.useCount = 0;
  model.surfaces.push_back(surface);
  return true;
}

bool StoreStandardMacrobody(DirectiveContext& context, const BuiltMacrobody& built, std::int32_t id) {
  GeometryModel& model = context.model;
  if (static_cast<int>(model.macrobodies.size()) >= kMaxMacrobodies)
    return context.Fail(platform::FormatText(messages::kMacrobodyLimit, kMaxMacrobodies));
  MacrobodyRecord body;
  body.kind = built.kind;
  body.id = id;
  body.parameters = built.parameters;
  int bodyIndex = static_cast<int>(model.macrobodies.size());
  bool anyNew = false;
  for (std::size_t k = 0; k < built.facets.size(); ++k) {
    FacetEntry entry;
    if (!AddFacet(context, built.facets[k], static_cast<int>(k) + 1, bodyIndex, entry)) return false;
    anyNew = anyNew || entry.isNew;
    body.facetSurfaces.push_back(entry.surface);
    body.facetSenses.push_back(entry.sense);
  }
  body.originMacrobody.assign(built.facets.size(), 0);
  body.originFacet.assign(built.facets.size(), 0);
  if (!anyNew && (body.kind == MacrobodyKind::RCC || body.kind == MacrobodyKind::TRC)) {
    if (const MacrobodyRecord* twin = EarlierTwin(model, body))
      context.Warn(platform::FormatText(messages::kSurfacesCoincide, id, twin->id));
  }
  model.macrobodies.push_back(std::move(body));
  return true;
}

SurfaceRecord OutwardFacet(const GeometryModel& model, const MacrobodyRecord& body, int facet) {
  SurfaceRecord surface = model.surfaces[body.facetSurfaces[static_cast<std::size_t>(facet)]];
  if (surface.kind == SurfaceKind::Plane && body.facetSenses[static_cast<std::size_t>(facet)] > 0) {
    surface.direction = -surface.direction;
    surface.planeConstant = -surface.planeConstant;
  }
  return surface;
}

}  // namespace tessarin::input
