#pragma once
// Surfaces built from their defining quantities, random placements, and the
// brute-force checks the surface-pair tests compare the kernel with.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "input/geometry_model.h"
#include "input/kernel/surface_pair_curve.h"
#include "input/kernel/surface_pair_frames.h"
#include "input/kernel/surface_pair_intersect.h"
#include "input/kernel/surface_pair_side.h"

namespace tessarin::input::kernel::pair_testing {

inline SurfaceRecord Surface(SurfaceKind kind, const Vec3& point, const Vec3& direction, double radius = 0) {
  SurfaceRecord s;
  s.kind = kind;
  s.point = point;
  if (kind != SurfaceKind::Sphere) s.direction = Unit(direction);
  s.radius = radius;
  return s;
}

inline SurfaceRecord Plane(const Vec3& point, const Vec3& normal) {
  SurfaceRecord s = Surface(SurfaceKind::Plane, point, normal);
  s.planeConstant = -Dot(s.direction, point);
  return s;
}

inline SurfaceRecord Sphere(const Vec3& centre, double radius) { return Surface(SurfaceKind::Sphere, centre, {}, radius); }

inline SurfaceRecord Cylinder(const Vec3& axisPoint, const Vec3& axis, double radius) {
  return Surface(SurfaceKind::Cylinder, axisPoint, axis, radius);
}

inline SurfaceRecord Cone(const Vec3& apex, const Vec3& axis, double halfAngle) {
  SurfaceRecord s = Surface(SurfaceKind::Cone, apex, axis);
  s.halfAngle = halfAngle;
  s.sinHalfAngle = std::sin(halfAngle);
  s.cosHalfAngle = std::cos(halfAngle);
  s.tanHalfAngle = std::tan(halfAngle);
  return s;
}

inline PrecisionSettings Precision(double distance = 1e-12, double angle = 1e-12) {
  PrecisionSettings p;
  p.distancePrecision = distance;
  p.anglePrecision = angle;
  return p;
}

class RandomShapes {
 public:
  explicit RandomShapes(unsigned seed) : engine_(seed) {}

  double Uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(engine_); }

  Vec3 Direction() {
    std::normal_distribution<double> normal;
    for (;;) {
      const Vec3 v{normal(engine_), normal(engine_), normal(engine_)};
      if (Norm(v) > 1e-3) return Unit(v);
    }
  }

  Vec3 Point(double extent = 5) { return {Uniform(-extent, extent), Uniform(-extent, extent), Uniform(-extent, extent)}; }

  // A unit vector at `angle` from the unit vector `axis`, in a random azimuth.
  Vec3 AtAngle(const Vec3& axis, double angle) {
    const Frame f = FrameFromDirection(axis, 1e-12);
    const double azimuth = Uniform(0, 2 * std::numbers::pi);
    return std::cos(angle) * axis + std::sin(angle) * (std::cos(azimuth) * f.e1 + std::sin(azimuth) * f.e2);
  }

  // A unit vector perpendicular to the unit vector `axis`.
  Vec3 Perpendicular(const Vec3& axis) { return AtAngle(axis, std::numbers::pi / 2); }

 private:
  std::mt19937 engine_;
};

// Points of `s` within `extent` of its defining point (cones: in front of
// the apex), on a regular grid of parameters.
inline std::vector<Vec3> SurfaceSamples(const SurfaceRecord& s, double extent, int steps = 60) {
  std::vector<Vec3> points;
  const Frame f = FrameFromDirection(s.kind == SurfaceKind::Sphere ? Vec3{0, 0, 1} : s.direction, 1e-12);
  for (int i = 0; i <= steps; ++i) {
    for (int j = 0; j < steps; ++j) {
      const double x = static_cast<double>(i) / steps;
      const double angle = 2 * std::numbers::pi * j / steps;
      const Vec3 around = std::cos(angle) * f.e1 + std::sin(angle) * f.e2;
      switch (s.kind) {
        case SurfaceKind::Plane:
          points.push_back(s.point + extent * x * around);
          break;
        case SurfaceKind::Sphere: {
          const double polar = std::numbers::pi * x;
          points.push_back(s.point + s.radius * (std::cos(polar) * f.w + std::sin(polar) * around));
          break;
        }
        case SurfaceKind::Cylinder:
          points.push_back(s.point + extent * (2 * x - 1) * s.direction + s.radius * around);
          break;
        case SurfaceKind::Cone: {
          const double a = extent * x * x;  // denser near the apex
          points.push_back(s.point + a * s.direction + a * s.tanHalfAngle * around);
          break;
        }
      }
    }
  }
  return points;
}

struct SideCount {
  int negative = 0, positive = 0;
  bool Crosses() const { return negative > 0 && positive > 0; }
  int Sign() const { return negative > 0 ? (positive > 0 ? 0 : -1) : (positive > 0 ? 1 : 0); }
};

// Where the sampled points of `sampled` lie relative to `other`, ignoring
// those within `tolerance` of it.
inline SideCount SidesOf(const SurfaceRecord& sampled, const SurfaceRecord& other, double extent,
                         double tolerance = 1e-9) {
  SideCount count;
  for (const Vec3& x : SurfaceSamples(sampled, extent)) {
    const double v = SurfaceSideValue(x, other);
    if (v < -tolerance) ++count.negative;
    if (v > tolerance) ++count.positive;
  }
  return count;
}

// Sampling shows one surface on both sides of the other: they meet.
inline bool SamplesCross(const SurfaceRecord& s1, const SurfaceRecord& s2, double extent) {
  return SidesOf(s1, s2, extent).Crosses() || SidesOf(s2, s1, extent).Crosses();
}

// Over many random pairs: IntersectSurfaces must report a curve of
// `curveType` exactly when sampling shows the surfaces to meet; both outcomes
// should occur for the trial to mean something.
class MeetingTally {
 public:
  MeetingTally(std::int32_t curveType, double extent) : curveType_(curveType), extent_(extent) {}

  void Check(const SurfaceRecord& s1, const SurfaceRecord& s2, int trial) {
    IntersectionCurve curve;
    const bool meets = IntersectSurfaces(s1, s2, Precision(), curve) == curveType_;
    EXPECT_EQ(meets, SamplesCross(s1, s2, extent_)) << "trial " << trial;
    ++(meets ? met_ : apart_);
  }

  void ExpectBothOutcomes() const {
    EXPECT_GT(met_, 0);
    EXPECT_GT(apart_, 0);
  }

 private:
  std::int32_t curveType_;
  double extent_;
  int met_ = 0, apart_ = 0;
};

// The relation class that sampling both surfaces shows, 0 when the samples
// cross (the surfaces meet) or lie on the other surface.
inline int SampledRelation(const SurfaceRecord& s1, const SurfaceRecord& s2, double extent) {
  const int side1 = SidesOf(s1, s2, extent).Sign(), side2 = SidesOf(s2, s1, extent).Sign();
  if (side1 == 0 || side2 == 0) return 0;
  if (side1 > 0) return side2 > 0 ? 1 : 3;
  return side2 > 0 ? 2 : 4;
}

// The largest side value, relative to either surface, of points of every
// branch of `curve` over `steps` parameters of its range (unbounded ranges
// cut to `span`).
inline double WorstCurveDistance(const IntersectionCurve& curve, const SurfaceRecord& s1, const SurfaceRecord& s2,
                                 double span = 10, int steps = 200) {
  const ParameterInterval range = CurveParameterInterval(curve);
  const double low = std::fmax(range.low, -span), high = std::fmin(range.high, span);
  double worst = 0;
  for (int branch = 0; branch < CurveBranchCount(curve.curveType); ++branch) {
    for (int i = 0; i <= steps; ++i) {
      const Vec3 x = CurvePoint(curve, branch, low + (high - low) * i / steps);
      worst = std::fmax(worst, std::fmax(std::fabs(SurfaceSideValue(x, s1)), std::fabs(SurfaceSideValue(x, s2))));
      if (std::isnan(x.x + x.y + x.z)) return INFINITY;
    }
  }
  return worst;
}

}  // namespace tessarin::input::kernel::pair_testing
