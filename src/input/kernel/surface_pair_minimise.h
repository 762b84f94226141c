#pragma once
// The deepest point of one surface inside another: a simplex search for the
// smallest side value relative to `target` over the points of `carrier`.
// Used where no closed rule decides whether a cylinder and a cone, or two
// cones, meet: a value below −D shows they do.

#include "input/geometry_model.h"
#include "input/kernel/nelder_mead_2d.h"

namespace tessarin::input::kernel {

// `carrier` is a cylinder or a cone, parametrised by the axial coordinate a
// and the angle b around its axis; for a cone, a and −a stand for the same
// point, and points with |a| < D are taken on the axis. The search starts where the carrier's axis comes closest to the
// target's axis and stops as soon as the value drops below −D.
NelderMeadResult MinimumSideValueOn(const SurfaceRecord& carrier, const SurfaceRecord& target,
                                    const PrecisionSettings& precision);

// The point of `carrier` that the search's coordinates (a, b) stand for.
Vec3 CarrierPoint(const SurfaceRecord& carrier, const Point2& at, const PrecisionSettings& precision);

}  // namespace tessarin::input::kernel
