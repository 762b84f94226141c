#include "input/kernel/surface_pair_side.h"

#include "input/kernel/surface_pair_lines.h"

namespace tessarin::input::kernel {

double SurfaceSideValue(const Vec3& x, const SurfaceRecord& surface) {
  const Vec3 q = x - surface.point;
  switch (surface.kind) {
    case SurfaceKind::Plane:
      return Dot(surface.direction, q);
    case SurfaceKind::Sphere:
      return Norm(q) - surface.radius;
    case SurfaceKind::Cylinder:
      return Norm(PerpendicularPart(q, surface.direction)) - surface.radius;
    case SurfaceKind::Cone: {
      const double t = Dot(surface.direction, q);
      const double length = Norm(q);
      if (t < 0 && t <= -surface.sinHalfAngle * length) return length;
      const double rho = Norm(PerpendicularPart(q, surface.direction));
      return rho * surface.cosHalfAngle - t * surface.sinHalfAngle;
    }
  }
  return 0;
}

}  // namespace tessarin::input::kernel
