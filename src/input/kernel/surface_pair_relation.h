#pragma once
// How two surfaces that do not meet lie relative to each other.

#include "input/geometry_model.h"

namespace tessarin::input::kernel {

enum PairRelation : int {
  kRelationCoincident = 0,
  kNegativeSidesApart = 1,     // the negative sides do not meet
  kFirstInsideSecond = 2,      // negative side of the first inside that of the second
  kSecondInsideFirst = 3,      // negative side of the second inside that of the first
  kPositiveSidesApart = 4,     // the positive sides do not meet
};

// 0 when the surfaces coincide, else the relation class 1 to 4 judged from one
// sample point of each surface relative to the other. Meaningful for surfaces
// that do not meet (IntersectSurfaces calls it for those).
int PairRelationClass(const SurfaceRecord& s1, const SurfaceRecord& s2, const PrecisionSettings& precision);

}  // namespace tessarin::input::kernel
