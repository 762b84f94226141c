#pragma once
// When two surfaces of the same kind are one surface, within the precision
// settings, and the search for an existing one.

#include "input/geometry_model.h"

namespace tessarin::input {

[[nodiscard]] bool SurfacesCoincide(const SurfaceRecord& a, const SurfaceRecord& b, const PrecisionSettings& precision);

// The first surface of the table, in index order, of the same kind that
// coincides with `surface`; -1 when there is none.
int FindCoinciding(const GeometryModel& model, const SurfaceRecord& surface);

}  // namespace tessarin::input
