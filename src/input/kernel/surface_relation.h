#pragma once
// How two surfaces of the model lie relative to each other, in the terms
// both the reader and the RT script writer use.

#include "input/geometry_model.h"

namespace tessarin::input::kernel {

enum class SurfaceRelation {
  Coincident,
  NegativeSidesApart,   // the negative sides do not meet
  FirstInsideSecond,    // the negative side of the first lies inside that of the second
  SecondInsideFirst,    // the negative side of the second lies inside that of the first
  PositiveSidesApart,   // the positive sides do not meet
  Intersecting,
};

// The classification of IntersectSurfaces with distance precision
// `distancePrecision` (the other settings from `precision`).
SurfaceRelation SurfacePairRelation(const SurfaceRecord& first, const SurfaceRecord& second,
                                    const PrecisionSettings& precision, double distancePrecision);

}  // namespace tessarin::input::kernel
