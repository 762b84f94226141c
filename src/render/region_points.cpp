#include "render/region_points.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "input/kernel/surface_pair_side.h"
#include "render/curve_surface_points.h"

namespace tessarin::render {

using input::Vec3;
namespace kernel = input::kernel;

namespace {

// Side values carry the rounding of the coordinates they are computed from:
// far from the origin that is more than the distance precision.
constexpr double kRoundingFraction = 1e-12;

double SenseValue(const ClipContext& context, const HalfSpaceList& list, int position, const Vec3& x) {
  const std::size_t k = static_cast<std::size_t>(position);
  return list.senses[k] * kernel::SurfaceSideValue(x, context.Surface(list.surfaces[k]));
}

double EntryTolerance(const ClipContext& context, const HalfSpaceList& list, int position, const Vec3& x) {
  return PointTolerance(context, context.Surface(list.surfaces[static_cast<std::size_t>(position)]), x);
}

bool StrictlyInside(const ClipContext& context, const HalfSpaceList& list, const Vec3& x) {
  for (int k = 0; k < list.Count(); ++k)
    if (!(SenseValue(context, list, k, x) > EntryTolerance(context, list, k, x))) return false;
  return true;
}

// A parameter inside the piece of the branch beyond the cut `t` towards the
// range end `end`, not so far out that the point loses its precision.
double BeyondCut(double t, double end, bool unbounded) {
  if (!unbounded) return 0.5 * (t + end);
  const double step = 1 + std::fabs(t);
  return end > t ? std::min(t + step, 0.5 * (t + end)) : std::max(t - step, 0.5 * (t + end));
}

}  // namespace

double PointTolerance(const ClipContext& context, const input::SurfaceRecord& surface, const Vec3& x) {
  return std::fmax(context.precision.distancePrecision,
                   kRoundingFraction * (Norm(x) + Norm(surface.point) + surface.radius));
}

bool SatisfiesOthers(const ClipContext& context, const HalfSpaceList& list, const Vec3& x, int skipFirst,
                     int skipSecond) {
  for (int k = 0; k < list.Count(); ++k) {
    if (k == skipFirst || k == skipSecond) continue;
    if (SenseValue(context, list, k, x) < -EntryTolerance(context, list, k, x)) return false;
  }
  return true;
}

bool SatisfiesList(const ClipContext& context, const HalfSpaceList& list, const Vec3& x) {
  return SatisfiesOthers(context, list, x, -1, -1);
}

int SurfacesThrough(const ClipContext& context, const HalfSpaceList& list, const Vec3& x, int skipFirst,
                    int skipSecond) {
  int count = 0;
  for (int k = 0; k < list.Count(); ++k) {
    if (k == skipFirst || k == skipSecond) continue;
    if (std::fabs(SenseValue(context, list, k, x)) <= EntryTolerance(context, list, k, x)) ++count;
  }
  return count;
}

std::optional<CurveRegionPoint> FindCurvePointInRegion(const ClipContext& context, const HalfSpaceList& list,
                                                       const kernel::IntersectionCurve& curve, int branch,
                                                       int skipFirst, int skipSecond) {
  struct Cut {
    double t;
    int entry;
  };
  thread_local std::vector<Cut> cuts;
  thread_local std::vector<double> parameters, pieces;
  cuts.clear();
  pieces.clear();
  // Side values change no faster than the point moves, so a surface whose
  // value at the ball's centre exceeds its radius keeps the whole branch on
  // one side: no cuts to find there, or no point of the branch in the region.
  const std::optional<CurveBall> ball = BoundingBall(curve, branch);
  for (int k = 0; k < list.Count(); ++k) {
    if (k == skipFirst || k == skipSecond) continue;
    const input::SurfaceRecord& surface = context.Surface(list.surfaces[static_cast<std::size_t>(k)]);
    if (ball) {
      const double side = list.senses[static_cast<std::size_t>(k)] * kernel::SurfaceSideValue(ball->centre, surface);
      const double margin = ball->radius * (1 + 1e-12) + PointTolerance(context, surface, ball->centre);
      if (side < -margin) return std::nullopt;
      if (side > margin) continue;
    }
    CurveSurfaceParameters(curve, branch, surface, context.precision, parameters);
    for (double t : parameters) cuts.push_back({t, k});
  }
  std::sort(cuts.begin(), cuts.end(), [](const Cut& a, const Cut& b) { return a.t < b.t; });

  const kernel::ParameterInterval range = kernel::CurveParameterInterval(curve);
  const bool unbounded = !(curve.tMax > curve.tMin);
  auto pieceHolds = [&](double t) {
    const Vec3 x = kernel::CurvePoint(curve, branch, t);
    return SatisfiesOthers(context, list, x, skipFirst, skipSecond) ? std::optional<Vec3>(x) : std::nullopt;
  };
  if (cuts.empty()) {
    pieces.push_back(0.5 * (range.low + range.high));
  } else {
    pieces.push_back(BeyondCut(cuts.front().t, range.low, unbounded));
    for (std::size_t k = 1; k < cuts.size(); ++k) pieces.push_back(0.5 * (cuts[k - 1].t + cuts[k].t));
    pieces.push_back(BeyondCut(cuts.back().t, range.high, unbounded));
  }
  for (double t : pieces) {
    if (std::optional<Vec3> x = pieceHolds(t)) {
      const int further = SurfacesThrough(context, list, *x, skipFirst, skipSecond);
      if (further == 0) return CurveRegionPoint{*x, 0, -1};
    }
  }
  std::optional<CurveRegionPoint> best;
  for (const Cut& cut : cuts) {
    const Vec3 x = kernel::CurvePoint(curve, branch, cut.t);
    if (!SatisfiesOthers(context, list, x, skipFirst, skipSecond)) continue;
    const int further = SurfacesThrough(context, list, x, skipFirst, skipSecond);
    if (!best || further < best->further) best = CurveRegionPoint{x, further, cut.entry};
  }
  return best;
}

std::optional<Vec3> InteriorPointNear(const ClipContext& context, const HalfSpaceList& list, const Vec3& x) {
  double d = context.precision.distancePrecision;
  std::vector<Vec3> inward;  // σ·normal of each surface through x: the way into its kept side
  for (int k = 0; k < list.Count(); ++k) {
    const std::size_t position = static_cast<std::size_t>(k);
    const input::SurfaceRecord& surface = context.Surface(list.surfaces[position]);
    const double tolerance = PointTolerance(context, surface, x);
    d = std::fmax(d, tolerance);
    if (std::fabs(kernel::SurfaceSideValue(x, surface)) <= 10 * tolerance)
      inward.push_back(static_cast<double>(list.senses[position]) * SurfaceNormalAt(x, surface));
  }
  Vec3 into;
  for (const Vec3& n : inward) into = into + n;
  auto allows = [&](const Vec3& direction) {
    for (const Vec3& n : inward)
      if (Dot(n, direction) < -1e-9) return false;
    return true;
  };
  std::vector<Vec3> directions;
  Vec3 edgeSum;
  for (std::size_t a = 0; a < inward.size(); ++a)
    for (std::size_t b = a + 1; b < inward.size(); ++b) {
      const Vec3 edge = Cross(inward[a], inward[b]);
      if (Norm(edge) < 1e-12) continue;
      for (const Vec3& candidate : {Unit(edge), -Unit(edge)})
        if (allows(candidate)) {
          edgeSum = edgeSum + candidate;
          directions.push_back(candidate);
        }
    }
  std::vector<Vec3> ordered;
  if (Norm(edgeSum) > 1e-12) ordered.push_back(Unit(edgeSum));
  if (Norm(into) > 1e-12) {
    ordered.push_back(Unit(into));
    for (const Vec3& edge : directions) ordered.push_back(Unit(edge + 0.5 * Unit(into)));
  }
  for (const Vec3& edge : directions) ordered.push_back(edge);
  for (int i = -1; i <= 1; ++i)
    for (int j = -1; j <= 1; ++j)
      for (int k = -1; k <= 1; ++k)
        if (i || j || k) ordered.push_back(Unit(Vec3{double(i), double(j), double(k)}));

  const double largest = context.precision.maxDistanceRatio * d;
  constexpr int kMaxDoublings = 400;  // also ends the walk when D is zero
  double step = d / 2;
  for (int doubling = 0; doubling < kMaxDoublings && step <= largest; ++doubling, step *= 2) {
    for (const Vec3& direction : ordered) {
      const Vec3 candidate = x + step * direction;
      if (StrictlyInside(context, list, candidate)) return candidate;
    }
  }
  return std::nullopt;
}

std::optional<Vec3> InteriorPointBesideSurfaces(const ClipContext& context, const HalfSpaceList& list) {
  const std::array<Vec3, 6> axes{{{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}}};
  for (int k = 0; k < list.Count(); ++k) {
    const input::SurfaceRecord& surface = context.Surface(list.surfaces[static_cast<std::size_t>(k)]);
    const int sense = list.senses[static_cast<std::size_t>(k)];
    const double offset = std::fmax(100 * context.precision.distancePrecision, 1e-9 * (1 + surface.radius));
    std::vector<Vec3> candidates{surface.point};
    if (surface.kind == input::SurfaceKind::Cone) candidates.push_back(surface.point + surface.direction);
    for (const Vec3& axis : axes) {
      const Vec3 across = surface.kind == input::SurfaceKind::Sphere ? axis : axis - Dot(axis, surface.direction) * surface.direction;
      if (Norm(across) < 1e-6) continue;
      const Vec3 radial = Unit(across);
      const double reach = surface.kind == input::SurfaceKind::Plane ? 0 : surface.radius;
      candidates.push_back(surface.point + (reach + sense * offset) * radial);
    }
    if (surface.kind == input::SurfaceKind::Plane) candidates.push_back(surface.point + (sense * offset) * surface.direction);
    for (const Vec3& candidate : candidates)
      if (StrictlyInside(context, list, candidate)) return candidate;
  }
  return std::nullopt;
}

}  // namespace tessarin::render
