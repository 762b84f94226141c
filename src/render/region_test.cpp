#include "render/region_test.h"

#include <chrono>

#include "input/kernel/surface_pair_verdict.h"
#include "render/region_points.h"
#include "render/vertex_search.h"

namespace tessarin::render {

namespace kernel = input::kernel;

namespace {

bool JudgeRegion(ClipContext& context, HalfSpaceList& list, RegionTestDetails* details) {
  const int count = list.Count();
  std::vector<bool> redundant(static_cast<std::size_t>(count), false);
  bool anyRedundant = false, undetermined = false;
  for (int i = 0; i < count; ++i) {
    if (redundant[static_cast<std::size_t>(i)]) continue;
    const input::SurfaceRecord& first = context.Surface(list.surfaces[static_cast<std::size_t>(i)]);
    for (int j = i + 1; j < count; ++j) {
      if (redundant[static_cast<std::size_t>(j)]) continue;
      const kernel::PairVerdictResult verdict =
          kernel::PairVerdict(first, list.senses[static_cast<std::size_t>(i)],
                              context.Surface(list.surfaces[static_cast<std::size_t>(j)]),
                              list.senses[static_cast<std::size_t>(j)], context.precision);
      undetermined = undetermined || verdict.undetermined;
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
  switch (SearchVertex(context, *searched)) {
    case VertexSearchOutcome::Found:
      if (searched != &list && remaining.hasInteriorPoint) {
        list.interiorPoint = remaining.interiorPoint;
        list.hasInteriorPoint = true;
      }
      return true;
    case VertexSearchOutcome::Empty:
      return false;
    case VertexSearchOutcome::NoCurve:
      if (undetermined) return true;
      // Surfaces that meet nowhere can still bound a region (a shell
      // between concentric spheres): look for a point beside them.
      if (std::optional<input::Vec3> inside = InteriorPointBesideSurfaces(context, *searched)) {
        list.interiorPoint = *inside;
        list.hasInteriorPoint = true;
        return true;
      }
      return false;
  }
  return false;
}

}  // namespace

bool RegionTest(ClipContext& context, HalfSpaceList& list, RegionTestDetails* details) {
  const auto started = std::chrono::steady_clock::now();
  if (details) *details = RegionTestDetails{};
  const bool nonEmpty = JudgeRegion(context, list, details);
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
