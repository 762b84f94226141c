#pragma once
// Where a ray is on the negative side of one surface: inside a sphere,
// cylinder or cone (one nappe), or behind a plane's normal. Each of these
// sides is convex, so along a ray it is a single stretch, possibly empty or
// unbounded; the positive side is what is left of the line.

#include "input/geometry_model.h"
#include "raytrace/ray.h"

namespace tessarin::raytrace {

// The parts of a surface record a ray needs, kept together.
struct SurfaceShape {
  input::SurfaceKind kind = input::SurfaceKind::Plane;
  Vec3 point;      // plane point, centre, axis point, apex
  Vec3 direction;  // plane normal, axis
  double radius = 0;
  double cosHalfAngle = 0, sinHalfAngle = 0;
};

SurfaceShape ShapeOf(const input::SurfaceRecord& surface);

// The stretch with its surfaces left at kTraceLimit; empty when the ray
// only touches the surface.
Span NegativeSide(const SurfaceShape& shape, const Ray& ray);

// The unit normal at a point on the surface, towards its positive side.
Vec3 OutwardNormal(const SurfaceShape& shape, const Vec3& point);

}  // namespace tessarin::raytrace
