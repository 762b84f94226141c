#pragma once
// Mapping points, directions and surfaces from an auxiliary coordinate
// system into main coordinates.

#include "input/geometry_model.h"

namespace tessarin::input {

// matrix . v
Vec3 RotateVector(const std::array<double, 9>& matrix, const Vec3& v);
// origin + matrix . p
Vec3 TransformPoint(const TransformRecord& transform, const Vec3& point);
// matrix . d (not renormalised)
Vec3 TransformDirection(const TransformRecord& transform, const Vec3& direction);

// The transformation that applies `inner` first and then `outer`.
TransformRecord ComposeTransformations(const TransformRecord& outer, const TransformRecord& inner);

// The surface moved into main coordinates: point moved, direction rotated and
// normalised (not for spheres), plane constant recomputed.
SurfaceRecord TransformSurface(const SurfaceRecord& surface, const TransformRecord& transform);

}  // namespace tessarin::input
