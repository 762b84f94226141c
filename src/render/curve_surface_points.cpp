#include "render/curve_surface_points.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "input/kernel/surface_pair_side.h"

namespace tessarin::render {

using input::SurfaceKind;
using input::SurfaceRecord;
using input::Vec3;
namespace kernel = input::kernel;

namespace {

constexpr int kBoundedSamples = 96;
constexpr int kUnboundedSamples = 128;
constexpr int kBisectionSteps = 80;
constexpr int kGoldenSteps = 60;

// Real roots of a·s² + b·s + c = 0; a double root counts once. A
// discriminant that rounding pushed just below zero is a touching root.
void QuadraticRoots(double a, double b, double c, std::vector<double>& roots) {
  const double scale = std::max({std::fabs(a), std::fabs(b), std::fabs(c)});
  if (scale == 0) return;
  if (std::fabs(a) <= 1e-14 * scale) {
    if (std::fabs(b) > 1e-14 * scale) roots.push_back(-c / b);
    return;
  }
  double discriminant = b * b - 4 * a * c;
  if (discriminant < 0) {
    if (discriminant < -1e-12 * std::max(b * b, std::fabs(4 * a * c))) return;
    discriminant = 0;
  }
  if (discriminant == 0) {
    roots.push_back(-b / (2 * a));
    return;
  }
  // The form that avoids cancellation between b and the square root.
  const double q = -0.5 * (b + std::copysign(std::sqrt(discriminant), b));
  roots.push_back(q / a);
  if (q != 0) roots.push_back(c / q);
}

// Parameters s of the points origin + s·direction on `surface`.
void LineRoots(const Vec3& origin, const Vec3& direction, const SurfaceRecord& surface, std::vector<double>& roots) {
  const Vec3 q = origin - surface.point;
  const Vec3& axis = surface.direction;
  switch (surface.kind) {
    case SurfaceKind::Plane: {
      const double along = Dot(axis, direction);
      if (std::fabs(along) > 1e-15) roots.push_back(-Dot(axis, q) / along);
      return;
    }
    case SurfaceKind::Sphere:
      QuadraticRoots(Dot(direction, direction), 2 * Dot(q, direction), Dot(q, q) - surface.radius * surface.radius,
                     roots);
      return;
    case SurfaceKind::Cylinder: {
      const Vec3 qp = q - Dot(q, axis) * axis;
      const Vec3 dp = direction - Dot(direction, axis) * axis;
      QuadraticRoots(Dot(dp, dp), 2 * Dot(qp, dp), Dot(qp, qp) - surface.radius * surface.radius, roots);
      return;
    }
    case SurfaceKind::Cone: {
      const double c2 = surface.cosHalfAngle * surface.cosHalfAngle;
      const double qa = Dot(q, axis), da = Dot(direction, axis);
      std::vector<double> both;
      QuadraticRoots(da * da - c2 * Dot(direction, direction), 2 * (qa * da - c2 * Dot(q, direction)),
                     qa * qa - c2 * Dot(q, q), both);
      // The equation describes both nappes; the surface is the one the axis points into.
      for (double s : both)
        if (qa + s * da >= 0) roots.push_back(s);
      return;
    }
  }
}

bool InRange(double t, const kernel::ParameterInterval& range) { return t >= range.low && t <= range.high; }

void LineParameters(const kernel::IntersectionCurve& curve, int branch, const SurfaceRecord& surface,
                    const kernel::ParameterInterval& range, std::vector<double>& parameters) {
  std::vector<double> roots;
  if (curve.curveType == kernel::kTwoRays) {
    // t < 0 runs along the first ray with distance −t, t ≥ 0 along the second.
    LineRoots(curve.points[0], curve.directions[0], surface, roots);
    for (double s : roots)
      if (s > 0 && InRange(-s, range)) parameters.push_back(-s);
    roots.clear();
    LineRoots(curve.points[0], curve.directions[1], surface, roots);
    for (double s : roots)
      if (s >= 0 && InRange(s, range)) parameters.push_back(s);
    return;
  }
  LineRoots(curve.points[static_cast<std::size_t>(branch)], curve.directions[static_cast<std::size_t>(branch)],
            surface, roots);
  for (double s : roots)
    if (InRange(s, range)) parameters.push_back(s);
}

// Circles and ellipses are centre + a·cos t + b·sin t; read the three
// vectors off the curve itself.
void TrigonometricPlaneParameters(const kernel::IntersectionCurve& curve, int branch, const SurfaceRecord& plane,
                                  std::vector<double>& parameters) {
  const Vec3 p0 = kernel::CurvePoint(curve, branch, 0);
  const Vec3 pHalf = kernel::CurvePoint(curve, branch, std::numbers::pi / 2);
  const Vec3 pPi = kernel::CurvePoint(curve, branch, std::numbers::pi);
  const Vec3 centre = 0.5 * (p0 + pPi);
  const double alpha = Dot(plane.direction, 0.5 * (p0 - pPi));
  const double beta = Dot(plane.direction, pHalf - centre);
  const double gamma = -(Dot(plane.direction, centre) + plane.planeConstant);
  const double amplitude = std::hypot(alpha, beta);
  if (amplitude <= 0) return;
  double ratio = gamma / amplitude;
  if (std::fabs(ratio) > 1) {
    if (std::fabs(ratio) - 1 > 1e-12) return;
    ratio = std::copysign(1.0, ratio);
  }
  const double phase = std::atan2(beta, alpha);
  const double spread = std::acos(ratio);
  const double fullTurn = 2 * std::numbers::pi;
  for (double t : {phase - spread, phase + spread}) {
    t = std::fmod(t, fullTurn);
    if (t < 0) t += fullTurn;
    parameters.push_back(t);
    if (spread == 0) break;
  }
}

double SideAlong(const kernel::IntersectionCurve& curve, int branch, const SurfaceRecord& surface, double t) {
  return kernel::SurfaceSideValue(kernel::CurvePoint(curve, branch, t), surface);
}

// The parameter in [low, high] where the side value changes sign, by
// bisection; `lowValue` is the value at `low`.
double Crossing(const kernel::IntersectionCurve& curve, int branch, const SurfaceRecord& surface, double d, double low,
                double high, double lowValue) {
  for (int step = 0; step < kBisectionSteps; ++step) {
    const double middle = 0.5 * (low + high);
    const double middleValue = SideAlong(curve, branch, surface, middle);
    if (std::fabs(middleValue) <= d * 1e-3) return middle;
    if ((middleValue < 0) == (lowValue < 0)) {
      low = middle;
      lowValue = middleValue;
    } else {
      high = middle;
    }
  }
  return 0.5 * (low + high);
}

// Where |side| has a dip between three samples of one sign, the curve may
// cross the surface twice between samples: golden-section search for the
// dip's bottom, and the two crossings when it lies across the surface.
void HiddenCrossings(const kernel::IntersectionCurve& curve, int branch, const SurfaceRecord& surface, double d,
                     double low, double high, double sign, std::vector<double>& parameters) {
  constexpr double kGolden = 0.6180339887498949;
  struct Sample {
    double t;
    Vec3 point;
    double value;  // sign·side: positive away from the surface
  };
  auto at = [&](double t) {
    const Vec3 point = kernel::CurvePoint(curve, branch, t);
    return Sample{t, point, sign * kernel::SurfaceSideValue(point, surface)};
  };
  const Sample first = at(low);
  Sample a = first, b = at(high);
  Sample c = at(b.t - kGolden * (b.t - a.t)), e = at(a.t + kGolden * (b.t - a.t));
  // Side values change no faster than the point moves: once the bracket is
  // shorter than the value at its best point, the surface is out of reach.
  auto reachable = [&] {
    const double best = std::fmin(c.value, e.value);
    return best > d && best <= 2 * Norm(b.point - a.point);
  };
  for (int step = 0; step < kGoldenSteps && reachable(); ++step) {
    if (c.value < e.value) {
      b = e, e = c;
      c = at(b.t - kGolden * (b.t - a.t));
    } else {
      a = c, c = e;
      e = at(a.t + kGolden * (b.t - a.t));
    }
  }
  const Sample& bottom = c.value < e.value ? c : e;
  if (bottom.value > d) return;
  if (bottom.value >= -d) {
    parameters.push_back(bottom.t);
    return;
  }
  parameters.push_back(Crossing(curve, branch, surface, d, low, bottom.t, sign * first.value));
  parameters.push_back(Crossing(curve, branch, surface, d, bottom.t, high, sign * bottom.value));
}

// Sign changes between samples, refined by bisection; samples within D of
// the surface without a sign change are touching points; dips towards the
// surface between samples are searched for crossings the samples skipped.
void SearchedParameters(const kernel::IntersectionCurve& curve, int branch, const SurfaceRecord& surface,
                        const input::PrecisionSettings& precision, const kernel::ParameterInterval& range,
                        bool unbounded, std::vector<double>& parameters) {
  const int samples = unbounded ? kUnboundedSamples : kBoundedSamples;
  const double d = precision.distancePrecision;
  auto sampleAt = [&](int k) {
    const double u = -1 + 2.0 * k / samples;
    if (!unbounded) return range.low + (range.high - range.low) * (u + 1) / 2;
    // Dense near the middle, where the conics' vertices are.
    return range.high * u * u * u;
  };
  thread_local std::vector<double> at, value;
  thread_local std::vector<Vec3> point;
  at.resize(static_cast<std::size_t>(samples) + 1);
  value.resize(at.size());
  point.resize(at.size());
  for (std::size_t k = 0; k < at.size(); ++k) {
    at[k] = sampleAt(static_cast<int>(k));
    point[k] = kernel::CurvePoint(curve, branch, at[k]);
    value[k] = kernel::SurfaceSideValue(point[k], surface);
  }
  // Side values change no faster than the point moves: a dip can reach the
  // surface only when it is shallower than the way to the next samples.
  auto mayDip = [&](std::size_t k) {
    return std::fabs(value[k]) <= 2 * std::fmax(Norm(point[k] - point[k - 1]), Norm(point[k + 1] - point[k]));
  };
  if (std::fabs(value[0]) <= d) parameters.push_back(at[0]);
  for (std::size_t k = 1; k < at.size(); ++k) {
    const double previous = value[k - 1];
    if (std::fabs(value[k]) <= d) {
      if (std::fabs(previous) > d) parameters.push_back(at[k]);
    } else if (std::fabs(previous) > d && (value[k] < 0) != (previous < 0)) {
      parameters.push_back(Crossing(curve, branch, surface, d, at[k - 1], at[k], previous));
    } else if (k + 1 < at.size() && std::fabs(previous) > d && std::fabs(value[k + 1]) > d &&
               (previous < 0) == (value[k] < 0) && (value[k + 1] < 0) == (value[k] < 0) &&
               std::fabs(value[k]) <= std::fabs(previous) && std::fabs(value[k]) <= std::fabs(value[k + 1]) &&
               mayDip(k)) {
      HiddenCrossings(curve, branch, surface, d, at[k - 1], at[k + 1], value[k] < 0 ? -1 : 1, parameters);
    }
  }
}

}  // namespace

void CurveSurfaceParameters(const kernel::IntersectionCurve& curve, int branch, const SurfaceRecord& surface,
                            const input::PrecisionSettings& precision, std::vector<double>& parameters) {
  parameters.clear();
  if (!kernel::HasParametricForm(curve.curveType)) return;
  const kernel::ParameterInterval range = kernel::CurveParameterInterval(curve);
  switch (curve.curveType) {
    case kernel::kLine:
    case kernel::kTwoLines:
    case kernel::kTwoRays:
      LineParameters(curve, branch, surface, range, parameters);
      break;
    case kernel::kCircle:
    case kernel::kTwoCircles:
    case kernel::kCylinderEllipse:
    case kernel::kConeEllipse:
      if (surface.kind == SurfaceKind::Plane) TrigonometricPlaneParameters(curve, branch, surface, parameters);
      else SearchedParameters(curve, branch, surface, precision, range, false, parameters);
      break;
    default:
      SearchedParameters(curve, branch, surface, precision, range, curve.tMax <= curve.tMin, parameters);
  }
  std::sort(parameters.begin(), parameters.end());
}

std::optional<CurveBall> BoundingBall(const kernel::IntersectionCurve& curve, int branch) {
  const std::size_t b = static_cast<std::size_t>(branch);
  switch (curve.curveType) {
    case kernel::kCircle:
    case kernel::kTwoCircles:
      return CurveBall{curve.points[b], std::fabs(curve.shape[b])};
    case kernel::kCylinderEllipse:
      return CurveBall{curve.points[0], std::fabs(curve.shape[0]) * std::hypot(1.0, curve.shape[1])};
    case kernel::kConeEllipse: {
      // The major axis runs between the points at ±π/2; the minor one is b.
      const Vec3 end = kernel::CurvePoint(curve, 0, std::numbers::pi / 2);
      const Vec3 other = kernel::CurvePoint(curve, 0, -std::numbers::pi / 2);
      return CurveBall{0.5 * (end + other), std::fmax(0.5 * Norm(end - other), std::fabs(curve.shape[2]))};
    }
    case kernel::kSphereCylinderCurve:
      return CurveBall{curve.points[0], curve.shape[0]};  // on the sphere
    default:
      return std::nullopt;
  }
}

Vec3 SurfaceNormalAt(const Vec3& x, const SurfaceRecord& surface) {
  const Vec3 q = x - surface.point;
  const Vec3& axis = surface.direction;
  auto unitOr = [](const Vec3& v, const Vec3& fallback) {
    const double length = Norm(v);
    return length > 0 ? (1 / length) * v : fallback;
  };
  switch (surface.kind) {
    case SurfaceKind::Plane:
      return axis;
    case SurfaceKind::Sphere:
      return unitOr(q, axis);
    case SurfaceKind::Cylinder:
      return unitOr(q - Dot(q, axis) * axis, axis);
    case SurfaceKind::Cone: {
      const Vec3 radial = q - Dot(q, axis) * axis;
      const double rho = Norm(radial);
      if (rho == 0) return -axis;
      return unitOr(surface.cosHalfAngle * ((1 / rho) * radial) - surface.sinHalfAngle * axis, -axis);
    }
  }
  return axis;
}

}  // namespace tessarin::render
