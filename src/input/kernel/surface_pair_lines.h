#pragma once
// Distances between points and axes, and the closest approach of two axes:
// the measurements the surface-pair kernel takes of cylinder and cone axes.

#include "input/vec3.h"

namespace tessarin::input::kernel {

// The part of `v` perpendicular to the unit vector `axis`.
inline Vec3 PerpendicularPart(const Vec3& v, const Vec3& axis) { return v - Dot(v, axis) * axis; }

// Distance of `x` from the line through `axisPoint` along the unit vector `axis`.
inline double DistanceFromAxis(const Vec3& x, const Vec3& axisPoint, const Vec3& axis) {
  return Norm(PerpendicularPart(x - axisPoint, axis));
}

// The coordinate a, along the first line p1 + a·n1, of its point nearest to
// the second line p2 + b·n2 (unit directions). For parallel lines every point
// is nearest; the foot of p2 is taken.
double ClosestApproachCoordinate(const Vec3& p1, const Vec3& n1, const Vec3& p2, const Vec3& n2);

// Distance between two lines with unit directions (parallel lines included).
double DistanceBetweenAxes(const Vec3& p1, const Vec3& n1, const Vec3& p2, const Vec3& n2);

}  // namespace tessarin::input::kernel
