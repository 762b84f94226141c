#include "render/region_test.h"

#include <chrono>
#include <optional>
#include <utility>

#include "input/kernel/surface_pair_minimise.h"
#include "input/kernel/surface_pair_verdict.h"
#include "render/region_points.h"
#include "render/vertex_search.h"

namespace tessarin::render {

namespace kernel = input::kernel;

namespace {

struct Entry {
  int surface = 0, sense = 0;
};

// Two entries whose surfaces meet along a curve without a parametric form
// (cones and cylinders, spheres and cones) can bound a region the vertex
// search cannot see. The deepest point of one surface inside the other
// shows such a region when the rest of the list allows it.
std::optional<input::Vec3> InteriorPointAtUndeterminedPairs(ClipContext& context, const HalfSpaceList& list,
                                                            const std::vector<std::pair<Entry, Entry>>& pairs) {
  for (const auto& [first, second] : pairs) {
    for (const auto& [carrier, target] : {std::pair{first, second}, std::pair{second, first}}) {
      const input::SurfaceRecord& on = context.Surface(carrier.surface);
      if (target.sense > 0 || (on.kind != input::SurfaceKind::Cylinder && on.kind != input::SurfaceKind::Cone))
        continue;
      const kernel::NelderMeadResult deepest =
          kernel::MinimumSideValueOn(on, context.Surface(target.surface), context.precision);
      if (deepest.value >= -context.precision.distancePrecision) continue;
      const input::Vec3 x = kernel::CarrierPoint(on, deepest.best, context.precision);
      if (!SatisfiesOthers(context, list, x, list.Find(carrier.surface), -1)) continue;
      if (std::optional<input::Vec3> inside = InteriorPointNear(context, list, x)) return inside;
    }
  }
  return std::nullopt;
}

bool JudgeRegion(ClipContext& context, HalfSpaceList& list, RegionTestDetails* details) {
  const int count = list.Count();
  std::vector<bool> redundant(static_cast<std::size_t>(count), false);
  bool anyRedundant = false, undetermined = false;
  std::vector<std::pair<Entry, Entry>> undeterminedPairs;
  for (int i = 0; i < count; ++i) {
    if (redundant[static_cast<std::size_t>(i)]) continue;
    const input::SurfaceRecord& first = context.Surface(list.surfaces[static_cast<std::size_t>(i)]);
    for (int j = i + 1; j < count; ++j) {
      if (redundant[static_cast<std::size_t>(j)]) continue;
      const kernel::PairVerdictResult verdict =
          kernel::PairVerdict(first, list.senses[static_cast<std::size_t>(i)],
                              context.Surface(list.surfaces[static_cast<std::size_t>(j)]),
                              list.senses[static_cast<std::size_t>(j)], context.precision);
      if (verdict.undetermined) {
        undetermined = true;
        undeterminedPairs.push_back({{list.surfaces[static_cast<std::size_t>(i)], list.senses[static_cast<std::size_t>(i)]},
                                     {list.surfaces[static_cast<std::size_t>(j)], list.senses[static_cast<std::size_t>(j)]}});
      }
      if (verdict.verdict == kernel::PairVerdictKind::Empty) return false;
      if (verdict.verdict == kernel::PairVerdictKind::FirstRedundant) {
        redundant[static_cast<std::size_t>(i)] = anyRedundant = true;
        break;
      }
      if (verdict.verdict == kernel::PairVerdictKind::SecondRedundant)
        redundant[static_cast<std::size_t>(j)] = anyRedundant = true;
    }
  }
  if (details) {
    details->redundant = redundant;
    details->anyRedundant = anyRedundant;
  }
  HalfSpaceList remaining;
  HalfSpaceList* searched = &list;
  if (anyRedundant) {
    for (int k = 0; k < count; ++k)
      if (!redundant[static_cast<std::size_t>(k)])
        remaining.Append(list.surfaces[static_cast<std::size_t>(k)], list.senses[static_cast<std::size_t>(k)]);
    searched = &remaining;
  }
  if (searched->Count() == 0) return false;
  if (searched->Count() == 1) return true;
  const VertexSearchOutcome outcome = SearchVertex(context, *searched);
  if (outcome == VertexSearchOutcome::Found) {
    if (searched != &list && remaining.hasInteriorPoint) {
      list.interiorPoint = remaining.interiorPoint;
      list.hasInteriorPoint = true;
    }
    return true;
  }
  // Surfaces that meet nowhere can still bound a region (a shell between
  // concentric spheres): look for a point beside them.
  std::optional<input::Vec3> inside;
  if (outcome == VertexSearchOutcome::NoCurve) inside = InteriorPointBesideSurfaces(context, *searched);
  if (!inside && undetermined) inside = InteriorPointAtUndeterminedPairs(context, *searched, undeterminedPairs);
  if (inside) {
    list.interiorPoint = *inside;
    list.hasInteriorPoint = true;
    return true;
  }
  // Where the region's only edges have no parametric form nothing was seen
  // of it; it may still be there, and taking it for empty could lose it.
  return undetermined;
}

}  // namespace

bool RegionTest(ClipContext& context, HalfSpaceList& list, RegionTestDetails* details) {
  const auto started = std::chrono::steady_clock::now();
  if (details) *details = RegionTestDetails{};
  const double distancePrecision = context.precision.distancePrecision;
  const bool nonEmpty = JudgeRegion(context, list, details);
  context.precision.distancePrecision = distancePrecision;
  context.times.regionTestSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return nonEmpty;
}

bool ReversedRegionExists(ClipContext& context, HalfSpaceList& list, int position) {
  const std::size_t k = static_cast<std::size_t>(position);
  const input::Vec3 interior = list.interiorPoint;
  const bool hadInterior = list.hasInteriorPoint;
  list.senses[k] = -list.senses[k];
  list.hasInteriorPoint = false;
  const bool nonEmpty = RegionTest(context, list);
  list.senses[k] = -list.senses[k];
  list.interiorPoint = interior;
  list.hasInteriorPoint = hadInterior;
  return nonEmpty;
}

std::vector<int> PlanesNotCutting(ClipContext& context, HalfSpaceList& list, const std::vector<int>& candidates) {
  std::vector<int> removable;
  for (int position : candidates)
    if (!ReversedRegionExists(context, list, position)) removable.push_back(position);
  return removable;
}

}  // namespace tessarin::render
