#include "raytrace/surface_crossing.h"

#include <algorithm>
#include <cmath>

namespace tessarin::raytrace {

namespace {

using input::SurfaceKind;

Span Between(double entry, double exit) {
  Span span;
  span.entry = entry;
  span.exit = exit;
  return span;
}

Span Nothing() { return Span{}; }
Span Everything() { return Between(-HUGE_VAL, HUGE_VAL); }

Vec3 PerpendicularPart(const Vec3& v, const Vec3& axis) { return v - Dot(v, axis) * axis; }

// The roots of a t^2 + 2 b t + c without the cancellation of the school
// formula; false when there are none.
bool QuadraticRoots(double a, double b, double c, double& low, double& high) {
  const double discriminant = b * b - a * c;
  if (discriminant < 0 || a == 0) return false;
  const double q = -(b + std::copysign(std::sqrt(discriminant), b));
  if (q == 0) {
    low = high = 0;
    return true;
  }
  low = q / a;
  high = c / q;
  if (low > high) std::swap(low, high);
  return true;
}

Span Intersect(const Span& a, const Span& b) { return Between(std::max(a.entry, b.entry), std::min(a.exit, b.exit)); }

// Measured from the point of the ray nearest to `centre`, the numbers stay
// small however far away the ray starts.
double NearestApproach(const Ray& ray, const Vec3& centre) { return Dot(centre - ray.origin, ray.direction); }

Span PlaneSide(const SurfaceShape& plane, const Ray& ray) {
  const double height = Dot(plane.direction, ray.origin - plane.point);
  const double rate = Dot(plane.direction, ray.direction);
  if (rate == 0) return height < 0 ? Everything() : Nothing();
  const double crossing = -height / rate;
  return rate > 0 ? Between(-HUGE_VAL, crossing) : Between(crossing, HUGE_VAL);
}

Span SphereSide(const SurfaceShape& sphere, const Ray& ray) {
  const double nearest = NearestApproach(ray, sphere.point);
  const Vec3 miss = ray.At(nearest) - sphere.point;
  const double chord = sphere.radius * sphere.radius - Dot(miss, miss);
  if (chord <= 0) return Nothing();
  const double half = std::sqrt(chord);
  return Between(nearest - half, nearest + half);
}

Span CylinderSide(const SurfaceShape& cylinder, const Ray& ray) {
  const Vec3 across = PerpendicularPart(ray.direction, cylinder.direction);
  const double rate = Dot(across, across);
  const Vec3 offset = PerpendicularPart(ray.origin - cylinder.point, cylinder.direction);
  const double squaredRadius = cylinder.radius * cylinder.radius;
  if (rate == 0) return Dot(offset, offset) < squaredRadius ? Everything() : Nothing();
  const double nearest = -Dot(offset, across) / rate;
  const Vec3 miss = offset + nearest * across;
  const double chord = (squaredRadius - Dot(miss, miss)) / rate;
  if (chord <= 0) return Nothing();
  const double half = std::sqrt(chord);
  return Between(nearest - half, nearest + half);
}

// Inside the nappe: (q.a)^2 >= cos^2 |q|^2 on the side of the apex the axis
// points to, q running from the apex.
Span ConeSide(const SurfaceShape& cone, const Ray& ray) {
  const double shift = NearestApproach(ray, cone.point);
  const Vec3 q = ray.At(shift) - cone.point;
  const double cos2 = cone.cosHalfAngle * cone.cosHalfAngle;
  const double rate = Dot(ray.direction, cone.direction), height = Dot(q, cone.direction);
  const double a = rate * rate - cos2;
  const double b = rate * height - cos2 * Dot(ray.direction, q);
  const double c = height * height - cos2 * Dot(q, q);

  // Where the quadric is not negative: one or two stretches.
  Span parts[2] = {Nothing(), Nothing()};
  double low = 0, high = 0;
  if (a == 0) {
    if (b > 0) parts[0] = Between(-c / (2 * b), HUGE_VAL);
    else if (b < 0) parts[0] = Between(-HUGE_VAL, -c / (2 * b));
    else if (c >= 0) parts[0] = Everything();
  } else if (!QuadraticRoots(a, b, c, low, high)) {
    if (a > 0) parts[0] = Everything();
  } else if (a > 0) {
    parts[0] = Between(-HUGE_VAL, low);
    parts[1] = Between(high, HUGE_VAL);
  } else {
    parts[0] = Between(low, high);
  }
  // The apex's side of the plane across the axis.
  Span ahead = Everything();
  if (rate > 0) ahead = Between(-height / rate, HUGE_VAL);
  else if (rate < 0) ahead = Between(-HUGE_VAL, -height / rate);
  else if (height < 0) ahead = Nothing();

  // The nappe is convex: the two parts meet the apex's side together only
  // at the apex itself.
  Span inside = Nothing();
  for (const Span& part : parts) {
    const Span kept = Intersect(part, ahead);
    if (kept.Empty()) continue;
    inside = inside.Empty() ? kept : Between(std::min(inside.entry, kept.entry), std::max(inside.exit, kept.exit));
  }
  if (inside.Empty()) return Nothing();
  return Between(inside.entry + shift, inside.exit + shift);
}

}  // namespace

SurfaceShape ShapeOf(const input::SurfaceRecord& surface) {
  SurfaceShape shape;
  shape.kind = surface.kind;
  shape.point = surface.point;
  shape.direction = surface.direction;
  shape.radius = surface.radius;
  shape.cosHalfAngle = std::cos(surface.halfAngle);
  shape.sinHalfAngle = std::sin(surface.halfAngle);
  return shape;
}

Span NegativeSide(const SurfaceShape& shape, const Ray& ray) {
  switch (shape.kind) {
    case SurfaceKind::Plane: return PlaneSide(shape, ray);
    case SurfaceKind::Sphere: return SphereSide(shape, ray);
    case SurfaceKind::Cylinder: return CylinderSide(shape, ray);
    case SurfaceKind::Cone: return ConeSide(shape, ray);
  }
  return Nothing();
}

Vec3 OutwardNormal(const SurfaceShape& shape, const Vec3& point) {
  if (shape.kind == SurfaceKind::Plane) return shape.direction;
  const Vec3 q = point - shape.point;
  Vec3 normal = shape.direction;
  switch (shape.kind) {
    case SurfaceKind::Plane: break;
    case SurfaceKind::Sphere: normal = q; break;
    case SurfaceKind::Cylinder: normal = PerpendicularPart(q, shape.direction); break;
    case SurfaceKind::Cone: {
      const Vec3 radial = PerpendicularPart(q, shape.direction);
      const double length = Norm(radial);
      // At the apex any direction against the axis will do.
      normal = length > 0 ? shape.cosHalfAngle / length * radial - shape.sinHalfAngle * shape.direction
                          : -1.0 * shape.direction;
      break;
    }
  }
  const double length = Norm(normal);
  return length > 0 ? (1 / length) * normal : shape.direction;
}

}  // namespace tessarin::raytrace
