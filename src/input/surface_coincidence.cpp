#include "input/surface_coincidence.h"

#include <cmath>

namespace tessarin::input {

bool SurfacesCoincide(const SurfaceRecord& a, const SurfaceRecord& b, const PrecisionSettings& precision) {
  if (a.kind != b.kind) return false;
  const double d = precision.distancePrecision;
  const double angle = precision.anglePrecision;
  switch (a.kind) {
    case SurfaceKind::Plane:
      return std::fabs(Dot(a.direction, a.point - b.point)) <= d && Norm(Cross(a.direction, b.direction)) <= angle;
    case SurfaceKind::Sphere:
      return std::fabs(a.radius - b.radius) <= d && Norm(a.point - b.point) <= d;
    case SurfaceKind::Cylinder:
      return std::fabs(a.radius - b.radius) <= d && Norm(Cross(a.direction, b.direction)) <= angle &&
             Norm(Cross(a.direction, a.point - b.point)) <= d;
    case SurfaceKind::Cone:
      return Norm(a.point - b.point) <= d && std::fabs(a.halfAngle - b.halfAngle) <= angle &&
             Norm(Cross(a.direction, b.direction)) <= angle && Dot(a.direction, b.direction) > 0;
  }
  return false;
}

int FindCoinciding(const GeometryModel& model, const SurfaceRecord& surface) {
  for (std::size_t i = 0; i < model.surfaces.size(); ++i)
    if (SurfacesCoincide(surface, model.surfaces[i], model.precision)) return static_cast<int>(i);
  return -1;
}

}  // namespace tessarin::input
