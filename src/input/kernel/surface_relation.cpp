#include "input/kernel/surface_relation.h"

#include "input/kernel/surface_pair_intersect.h"

namespace tessarin::input::kernel {

SurfaceRelation SurfacePairRelation(const SurfaceRecord& first, const SurfaceRecord& second,
                                    const PrecisionSettings& precision, double distancePrecision) {
  PrecisionSettings settings = precision;
  settings.distancePrecision = distancePrecision;
  IntersectionCurve curve;
  std::int32_t code = IntersectSurfaces(first, second, settings, curve);
  switch (code) {
    case 0:
      return SurfaceRelation::Coincident;
    case -1:
      return SurfaceRelation::NegativeSidesApart;
    case -2:
      return SurfaceRelation::FirstInsideSecond;
    case -3:
      return SurfaceRelation::SecondInsideFirst;
    case -4:
      return SurfaceRelation::PositiveSidesApart;
    default:
      return SurfaceRelation::Intersecting;
  }
}

}  // namespace tessarin::input::kernel
