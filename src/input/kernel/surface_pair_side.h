#pragma once
// The signed side value of a point relative to a surface: negative on the
// surface's negative side (inside a sphere, cylinder or cone; against a
// plane's normal), positive on its positive side, zero on the surface.

#include "input/geometry_model.h"

namespace tessarin::input::kernel {

// Plane: n·(x − P). Sphere and cylinder: distance from the centre or axis
// minus the radius. Cone: distance from the apex where the apex is the nearest
// point of the cone, otherwise ρ·cos θ − t·sin θ with t the axial and ρ the
// radial coordinate of x.
double SurfaceSideValue(const Vec3& x, const SurfaceRecord& surface);

}  // namespace tessarin::input::kernel
