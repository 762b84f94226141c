#include "render/clipping_iteration.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "input/kernel/surface_pair_intersect.h"
#include "input/kernel/surface_pair_relation.h"
#include "input/kernel/surface_pair_side.h"
#include "render/region_points.h"
#include "render/region_test.h"

namespace tessarin::render {

using input::Vec3;
namespace kernel = input::kernel;

namespace {

void PlaceAt(input::SurfaceRecord& plane, const Vec3& point) {
  plane.point = point;
  plane.planeConstant = -Dot(plane.direction, point);
}

// Reverses the first entry of `surface` for the life of the object; the
// list's interior point is that of the changed region meanwhile.
class ReversedEntry {
 public:
  ReversedEntry(HalfSpaceList& list, int surface) : list_(list), position_(surface < 0 ? -1 : list.Find(surface)) {
    saved_ = list.interiorPoint;
    hadInterior_ = list.hasInteriorPoint;
    if (position_ < 0) return;
    list.senses[static_cast<std::size_t>(position_)] *= -1;
    list.hasInteriorPoint = false;
  }
  ~ReversedEntry() {
    if (position_ >= 0) list_.senses[static_cast<std::size_t>(position_)] *= -1;
    list_.interiorPoint = saved_;
    list_.hasInteriorPoint = hadInterior_;
  }
  bool Active() const { return position_ >= 0; }
  ReversedEntry(const ReversedEntry&) = delete;
  ReversedEntry& operator=(const ReversedEntry&) = delete;

 private:
  HalfSpaceList& list_;
  int position_;
  Vec3 saved_;
  bool hadInterior_ = false;
};

// Whether the region reaches behind the moved plane: the side it moved away
// from holds part of the region.
bool CutsOffPart(ClipContext& context, const HalfSpaceList& list, const ClipRequest& request) {
  HalfSpaceList behind = list;
  behind.hasInteriorPoint = false;
  behind.Append(request.plane, request.inverted ? 1 : -1);
  return RegionTest(context, behind);
}

bool InteriorPointNotAhead(const ClipContext& context, const HalfSpaceList& list, const input::SurfaceRecord& plane,
                           const Vec3& ahead) {
  if (!list.hasInteriorPoint) return false;
  const double side = Dot(ahead, list.interiorPoint - plane.point);
  return side <= PointTolerance(context, plane, list.interiorPoint);
}

}  // namespace

int PlanePositionVerdict(ClipContext& context, int plane, const HalfSpaceList& list) {
  const input::SurfaceRecord& moving = context.Surface(plane);
  std::vector<int> withCurve;
  kernel::IntersectionCurve scratch;
  for (int i = 0; i < list.Count(); ++i) {
    const std::size_t k = static_cast<std::size_t>(i);
    const input::SurfaceRecord& surface = context.Surface(list.surfaces[k]);
    kernel::IntersectionCurve* buffer = context.Buffer(i);
    kernel::IntersectionCurve& curve = buffer ? *buffer : scratch;
    const std::int32_t code = kernel::IntersectSurfaces(moving, surface, context.precision, curve);
    const int sense = list.senses[k];
    if (code == kernel::kCoincident) return Dot(moving.direction, surface.direction) * sense > 0 ? 1 : -1;
    // Surfaces that do not meet: the code is minus their relation class.
    const int relation = -code;
    if ((relation == kernel::kNegativeSidesApart || relation == kernel::kSecondInsideFirst) && sense < 0)
      return relation == kernel::kNegativeSidesApart ? 1 : -1;
    if ((relation == kernel::kFirstInsideSecond || relation == kernel::kPositiveSidesApart) && sense > 0)
      return relation == kernel::kFirstInsideSecond ? 1 : -1;
    if (kernel::HasParametricForm(code) && buffer) withCurve.push_back(i);
  }
  if (withCurve.empty()) return 0;
  for (int j : withCurve) {
    const kernel::IntersectionCurve& curve = *context.Buffer(j);
    for (int branch = 0; branch < kernel::CurveBranchCount(curve.curveType); ++branch)
      if (FindCurvePointInRegion(context, list, curve, branch, j, -1)) return 0;
  }
  if (!list.hasInteriorPoint) return 0;
  const double side = kernel::SurfaceSideValue(list.interiorPoint, moving);
  if (std::fabs(side) <= context.precision.distancePrecision) return 0;
  return side > 0 ? 1 : -1;
}

int ClipPlane(ClipContext& context, HalfSpaceList& list, const ClipRequest& request) {
  const auto started = std::chrono::steady_clock::now();
  ReversedEntry reversed(list, request.reverseSurface);
  int begun = 0;
  // With an entry reversed the region changed: find a point inside it, and
  // leave the plane alone when nothing is left of it.
  if (request.cycles > 0 && (!reversed.Active() || RegionTest(context, list))) {
    input::SurfaceRecord& plane = context.surfaces[static_cast<std::size_t>(request.plane)];
    const double d = context.precision.distancePrecision;
    const double first = 10 * d;
    double step = std::min(request.maxTravel / 2, first);
    const Vec3 direction = request.inverted ? -plane.direction : plane.direction;
    Vec3 move = step * direction;
    const Vec3 start = plane.point;
    Vec3 accepted = start;
    int verdict = 1, before = 1;
    for (int cycle = 0; cycle < request.cycles; ++cycle) {
      if (step <= d) break;
      if (cycle >= 1) {
        if (cycle == 1 && first < request.maxTravel / 2) {
          // After the first small step, jump over half of what is left.
          step = (request.maxTravel - first) / 2;
          move = step * direction;
        } else {
          const bool sameWay = verdict == before || (verdict == 0 && before <= 0);
          move = (sameWay ? 0.5 : -0.5) * move;
          step /= 2;
        }
      }
      before = verdict;
      PlaceAt(plane, plane.point + move);
      begun = cycle + 1;
      // A region whose inner point is not ahead of the plane is cut or
      // passed, whatever the curves would say.
      if (InteriorPointNotAhead(context, list, plane, direction)) {
        verdict = 0;
      } else {
        verdict = PlanePositionVerdict(context, request.plane, list);
        if (request.inverted) verdict = -verdict;
      }
      if (verdict > 0) {
        accepted = plane.point;
      } else if (cycle == 0) {
        begun = 0;
        break;
      }
    }
    if (verdict <= 0) PlaceAt(plane, accepted);
    // The verdicts rest on curves found numerically; a second opinion of the
    // region test on what the move cut off keeps a wrong one from taking
    // part of the region away.
    if (begun > 0 && CutsOffPart(context, list, request)) {
      PlaceAt(plane, start);
      begun = 0;
    }
  }
  context.times.clippingSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return begun;
}

}  // namespace tessarin::render
