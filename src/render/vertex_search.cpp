#include "render/vertex_search.h"

#include <chrono>
#include <cmath>
#include <optional>

#include "input/kernel/surface_pair_intersect.h"
#include "input/kernel/surface_pair_side.h"
#include "render/region_points.h"

namespace tessarin::render {

using input::Vec3;
namespace kernel = input::kernel;

namespace {

struct Vertex {
  CurveRegionPoint at;
  int first = -1, second = -1;
};

// A vertex off its own surfaces by more than D (a curve solved with rounding
// at large coordinates) means D is finer than the geometry allows: raise it.
void RaisePrecisionFor(ClipContext& context, const HalfSpaceList& list, const Vertex& vertex) {
  double worst = 0;
  for (int position : {vertex.first, vertex.second, vertex.at.meetingEntry}) {
    if (position < 0) continue;
    const double value = kernel::SurfaceSideValue(
        vertex.at.point, context.Surface(list.surfaces[static_cast<std::size_t>(position)]));
    if (std::isfinite(value)) worst = std::fmax(worst, std::fabs(value));
  }
  if (worst > context.precision.distancePrecision) context.precision.distancePrecision = worst;
}

}  // namespace

VertexSearchOutcome SearchVertex(ClipContext& context, HalfSpaceList& list) {
  const auto started = std::chrono::steady_clock::now();
  bool anyCurve = false;
  std::optional<Vertex> best;
  kernel::IntersectionCurve curve;
  const int count = list.Count();
  for (int i = 0; i < count && !(best && best->at.further == 0); ++i) {
    for (int j = i + 1; j < count && !(best && best->at.further == 0); ++j) {
      const std::int32_t type = kernel::IntersectSurfaces(context.Surface(list.surfaces[static_cast<std::size_t>(i)]),
                                                          context.Surface(list.surfaces[static_cast<std::size_t>(j)]),
                                                          context.precision, curve);
      if (!kernel::HasParametricForm(type)) continue;
      anyCurve = true;
      for (int branch = 0; branch < kernel::CurveBranchCount(type); ++branch) {
        std::optional<CurveRegionPoint> point = FindCurvePointInRegion(context, list, curve, branch, i, j);
        if (point && (!best || point->further < best->at.further)) best = Vertex{*point, i, j};
        if (best && best->at.further == 0) break;
      }
    }
  }
  VertexSearchOutcome outcome = VertexSearchOutcome::Empty;
  if (best) {
    RaisePrecisionFor(context, list, *best);
    if (std::optional<Vec3> inside = InteriorPointNear(context, list, best->at.point)) {
      list.interiorPoint = *inside;
      list.hasInteriorPoint = true;
    }
    outcome = VertexSearchOutcome::Found;
  } else if (!anyCurve) {
    outcome = VertexSearchOutcome::NoCurve;
  }
  context.times.vertexSearchSeconds +=
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return outcome;
}

}  // namespace tessarin::render
