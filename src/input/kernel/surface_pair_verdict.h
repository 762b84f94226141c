#pragma once
// The verdict on two entries (surface, sense) of a bounding list: whether
// their regions share no volume, one of them is implied by the other, or both
// are needed.

#include "input/geometry_model.h"
#include "input/kernel/surface_pair_curve.h"

namespace tessarin::input::kernel {

enum class PairVerdictKind { Empty, FirstRedundant, SecondRedundant, KeepBoth };

struct PairVerdictResult {
  PairVerdictKind verdict = PairVerdictKind::KeepBoth;
  // The surfaces meet along a curve without parametric form: keeping both is
  // a guess, not a finding.
  bool undetermined = false;
  std::int32_t curveType = kCoincident;  // what IntersectSurfaces returned
};

// Sense −1 keeps the negative side of its surface, +1 the positive side.
// When `curve` is given it receives the intersection curve of the pair.
PairVerdictResult PairVerdict(const SurfaceRecord& first, int firstSense, const SurfaceRecord& second, int secondSense,
                              const PrecisionSettings& precision, IntersectionCurve* curve = nullptr);

}  // namespace tessarin::input::kernel
