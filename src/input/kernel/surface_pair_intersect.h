#pragma once
// Whether two surfaces coincide, meet along a curve, or lie apart, and the
// curve they meet along.

#include "input/geometry_model.h"
#include "input/kernel/surface_pair_curve.h"

namespace tessarin::input::kernel {

// Fills `curve` (including its parameter range) and returns its curveType:
// 0 the surfaces coincide; −1 to −4 they do not meet, minus their relation
// class (PairRelationClass, in the order s1, s2); 1 to 14 they meet along a
// curve of that type. Tangent surfaces, within D, do not meet.
std::int32_t IntersectSurfaces(const SurfaceRecord& s1, const SurfaceRecord& s2, const PrecisionSettings& precision,
                               IntersectionCurve& curve);

// The code alone, for callers that only classify the pair.
std::int32_t IntersectSurfaces(const SurfaceRecord& s1, const SurfaceRecord& s2, const PrecisionSettings& precision);

}  // namespace tessarin::input::kernel
