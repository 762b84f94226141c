#include "input/kernel/surface_pair_verdict.h"

#include <array>

#include "input/kernel/surface_pair_intersect.h"

namespace tessarin::input::kernel {

namespace {

using enum PairVerdictKind;

// Per relation class 1 to 4, per sense pair (−,−), (−,+), (+,−), (+,+).
constexpr std::array<std::array<PairVerdictKind, 4>, 4> kApartVerdicts{{
    {Empty, SecondRedundant, FirstRedundant, KeepBoth},
    {SecondRedundant, Empty, KeepBoth, FirstRedundant},
    {FirstRedundant, KeepBoth, Empty, SecondRedundant},
    {KeepBoth, FirstRedundant, SecondRedundant, Empty},
}};

}  // namespace

PairVerdictResult PairVerdict(const SurfaceRecord& first, int firstSense, const SurfaceRecord& second, int secondSense,
                              const PrecisionSettings& precision, IntersectionCurve* curve) {
  IntersectionCurve local;
  IntersectionCurve& found = curve ? *curve : local;
  PairVerdictResult result;
  result.curveType = IntersectSurfaces(first, second, precision, found);
  const int senses = firstSense * secondSense;
  if (result.curveType == kCoincident) {
    const bool opposedPlanes = first.kind == SurfaceKind::Plane && Dot(first.direction, second.direction) < 0;
    const int orientation = opposedPlanes ? -1 : 1;
    result.verdict = orientation * senses < 0 ? Empty : FirstRedundant;
  } else if (result.curveType < 0) {
    const int pair = (firstSense > 0 ? 2 : 0) + (secondSense > 0 ? 1 : 0);
    result.verdict = kApartVerdicts[-result.curveType - 1][pair];
  } else {
    result.verdict = KeepBoth;
    result.undetermined = !HasParametricForm(result.curveType);
  }
  return result;
}

}  // namespace tessarin::input::kernel
