#pragma once
// Points of a half-space list's region: whether a point satisfies the list,
// where a curve on two of its surfaces touches the region, and a point
// strictly inside the region near a point of its boundary.

#include <optional>

#include "input/kernel/surface_pair_curve.h"
#include "render/clip_context.h"
#include "render/half_space_list.h"

namespace tessarin::render {

// How near to `surface` a point at `x` counts as on it: the distance
// precision D, or more where the coordinates are so large that rounding
// alone moves a point by more than D.
double PointTolerance(const ClipContext& context, const input::SurfaceRecord& surface, const input::Vec3& x);

// Every entry satisfied within its tolerance: σ·side ≥ −tolerance.
[[nodiscard]] bool SatisfiesList(const ClipContext& context, const HalfSpaceList& list, const input::Vec3& x);
// The same for every entry but the positions `skipFirst` and `skipSecond`.
[[nodiscard]] bool SatisfiesOthers(const ClipContext& context, const HalfSpaceList& list, const input::Vec3& x, int skipFirst,
                     int skipSecond);

// The number of entries whose surface passes through `x` (|side| within
// its tolerance), not counting the positions `skipFirst` and `skipSecond`.
int SurfacesThrough(const ClipContext& context, const HalfSpaceList& list, const input::Vec3& x, int skipFirst,
                    int skipSecond);

struct CurveRegionPoint {
  input::Vec3 point;
  int further = 0;        // surfaces through the point besides the curve's own
  int meetingEntry = -1;  // the entry whose surface the point was found on, or -1
};

// A point of `branch` of `curve` (which lies on the surfaces of list
// positions `skipFirst` and `skipSecond`, −1 for none) that satisfies the
// other entries; its own surfaces are not asked, so that rounding cannot put
// the curve off them. The curve is cut where it meets the other entries' surfaces; a piece
// between two cuts lies wholly in or out of the region, so one point per
// piece decides it, and a piece point (on no further surface) is preferred
// to a cut point. `parameters` is scratch space kept by the caller.
std::optional<CurveRegionPoint> FindCurvePointInRegion(const ClipContext& context, const HalfSpaceList& list,
                                                       const input::kernel::IntersectionCurve& curve, int branch,
                                                       int skipFirst, int skipSecond);

// A point strictly inside the region (every entry's σ·side above its
// tolerance) near the boundary point `x`: steps that double from half the
// tolerance along the edges through x, the direction into all surfaces
// through it, and the lattice directions.
std::optional<input::Vec3> InteriorPointNear(const ClipContext& context, const HalfSpaceList& list,
                                             const input::Vec3& x);

// A point strictly inside the region among points just beside each entry's
// surface on its kept side (and the centres and axes of the curved ones),
// for regions whose surfaces do not meet at all, like a spherical shell.
std::optional<input::Vec3> InteriorPointBesideSurfaces(const ClipContext& context, const HalfSpaceList& list);

}  // namespace tessarin::render
