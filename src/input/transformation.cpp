#include "input/transformation.h"

namespace tessarin::input {

Vec3 RotateVector(const std::array<double, 9>& m, const Vec3& v) {
  return {m[0] * v.x + m[1] * v.y + m[2] * v.z, m[3] * v.x + m[4] * v.y + m[5] * v.z,
          m[6] * v.x + m[7] * v.y + m[8] * v.z};
}

Vec3 TransformPoint(const TransformRecord& transform, const Vec3& point) {
  return transform.origin + RotateVector(transform.matrix, point);
}

Vec3 TransformDirection(const TransformRecord& transform, const Vec3& direction) {
  return RotateVector(transform.matrix, direction);
}

TransformRecord ComposeTransformations(const TransformRecord& outer, const TransformRecord& inner) {
  TransformRecord result;
  result.id = inner.id;
  result.origin = TransformPoint(outer, inner.origin);
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) {
      double sum = 0;
      for (int k = 0; k < 3; ++k) sum += outer.matrix[row * 3 + k] * inner.matrix[k * 3 + column];
      result.matrix[row * 3 + column] = sum;
    }
  return result;
}

SurfaceRecord TransformSurface(const SurfaceRecord& surface, const TransformRecord& transform) {
  SurfaceRecord moved = surface;
  moved.point = TransformPoint(transform, surface.point);
  if (surface.kind != SurfaceKind::Sphere) moved.direction = Unit(TransformDirection(transform, surface.direction));
  if (surface.kind == SurfaceKind::Plane) moved.planeConstant = -Dot(moved.direction, moved.point);
  return moved;
}

}  // namespace tessarin::input
