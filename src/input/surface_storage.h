#pragma once
// Entering surfaces into the table: a regular surface (which may take over a
// coinciding facet surface) and the facets of a standard macrobody (which
// share coinciding surfaces).

#include <vector>

#include "input/directive_context.h"

namespace tessarin::input {

// A standard macrobody before it is entered: its facets with their normals
// pointing out of the body, and the parameters the writer draws it with.
struct BuiltMacrobody {
  MacrobodyKind kind = MacrobodyKind::RCC;
  std::vector<SurfaceRecord> facets;
  std::vector<double> parameters;
};

// Stores regular surface `id` by the coincidence rules; false after an error.
[[nodiscard]] bool StoreRegularSurface(DirectiveContext& context, SurfaceRecord surface, std::int32_t id);

// Adds the facets and appends the macrobody `id`; false after an error.
[[nodiscard]] bool StoreStandardMacrobody(DirectiveContext& context, const BuiltMacrobody& body, std::int32_t id);

// The facet surface of a stored macrobody facet with its normal pointing out
// of the body.
SurfaceRecord OutwardFacet(const GeometryModel& model, const MacrobodyRecord& body, int facet);

}  // namespace tessarin::input
