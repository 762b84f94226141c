#include "input/region_name.h"

#include <cstdlib>

#include "platform/format_text.h"

namespace tessarin::input {
namespace {

char SignOf(int value) { return value > 0 ? '+' : '-'; }

}  // namespace

std::string FormatRegionName(const GeometryModel& model, const BoundingEntry& entry) {
  const SurfaceRecord& surface = model.surfaces[entry.surface];
  if (entry.originMacrobody == 0) return platform::FormatText("%c%d", SignOf(entry.sense), surface.facetNumber);
  int bodyIndex = entry.originMacrobody <= 0 ? -entry.originMacrobody - 1 : entry.originMacrobody - 1;
  const MacrobodyRecord& body = model.macrobodies[static_cast<std::size_t>(bodyIndex)];
  int facet = std::abs(entry.originFacet);
  int sign = body.kind == MacrobodyKind::General
                 ? body.facetSenses[static_cast<std::size_t>(facet - 1)] * entry.sense
                 : entry.originMacrobody;
  std::string name = platform::FormatText("%c%d.%d", SignOf(sign), body.id, facet);
  if (surface.owner < 0) return name + platform::FormatText(" (%c%d)", SignOf(entry.sense), surface.facetNumber);
  if (surface.owner != bodyIndex) {
    const MacrobodyRecord& creator = model.macrobodies[static_cast<std::size_t>(surface.owner)];
    name += platform::FormatText(" (%c%d.%d)", SignOf(entry.sense), creator.id, surface.facetNumber);
  }
  return name;
}

}  // namespace tessarin::input
