#pragma once
// How an entry of a bounding list is named in warnings: "-3" for a regular
// surface, "+5.2" for a facet of macrobody 5, followed by the name of the
// surface the facet shares, e.g. "+5.2 (-3)" or "-5.2 (-7.1)".

#include <string>

#include "input/bounding_list.h"
#include "input/geometry_model.h"

namespace tessarin::input {

std::string FormatRegionName(const GeometryModel& model, const BoundingEntry& entry);

}  // namespace tessarin::input
