#pragma once
// Where an intersection curve of two surfaces meets a third surface: the
// curve parameters, within the curve's parameter range, of every meeting
// point. Lines and rays are solved in closed form against every kind of
// surface, circles and ellipses in closed form against planes; the other
// combinations by a bracketing search along the curve parameter.

#include <optional>
#include <vector>

#include "input/geometry_model.h"
#include "input/kernel/surface_pair_curve.h"

namespace tessarin::render {

// Clears `parameters` and fills it with the meeting points of `branch` of
// `curve` and `surface`, in increasing order. A curve that lies in the
// surface yields no points.
void CurveSurfaceParameters(const input::kernel::IntersectionCurve& curve, int branch,
                            const input::SurfaceRecord& surface, const input::PrecisionSettings& precision,
                            std::vector<double>& parameters);

// A ball that holds the whole of a bounded branch (circles, ellipses, the
// curves of a sphere); none for the unbounded ones and those not covered.
struct CurveBall {
  input::Vec3 centre;
  double radius = 0;
};
std::optional<CurveBall> BoundingBall(const input::kernel::IntersectionCurve& curve, int branch);

// The unit normal of `surface` at `x`, pointing to its positive side; for a
// point on an axis or at an apex, the axis direction's opposite serves.
input::Vec3 SurfaceNormalAt(const input::Vec3& x, const input::SurfaceRecord& surface);

}  // namespace tessarin::render
