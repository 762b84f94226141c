#include "engine/bessel_functions.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace tessarin::engine {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
// e^-760 is far below the smallest subnormal double and e^760 far above the
// largest double, even after the Debye prefactor for any int order.
constexpr double kCertainExponent = 760.0;
// Beyond x = 5e16 n^2 the next term of the large-argument form is below
// the rounding of a double.
constexpr double kLargeArgumentRatio = 5e16;

enum class Region { kBelowTurningPoint, kLargeArgument, kUnknown };

// For 0 < x < n the Debye form gives |J_n(x)| ~ e^-E and |Y_n(x)| ~ e^E
// with E = n (a - tanh a), cosh a = n / x.
Region RegionOf(double order, double x) {
  if (x < order) {
    if (x == 0) return Region::kBelowTurningPoint;
    double a = std::acosh(order / x);
    if (order * (a - std::tanh(a)) > kCertainExponent) return Region::kBelowTurningPoint;
    return Region::kUnknown;
  }
  if (x / order >= kLargeArgumentRatio * order) return Region::kLargeArgument;
  return Region::kUnknown;
}

bool IsOdd(long long n) { return n % 2 != 0; }

// sqrt(2 / (pi x)) times cos (J) or sin (Y) of x - (n/2 + 1/4) pi, with the
// phase taken modulo 2 pi through n mod 4.
double LargeArgument(long long order, double x, bool second) {
  double phase = static_cast<double>(2 * (order % 4) + 1) * kPi / 4;
  double c = std::cos(x) * std::cos(phase) + std::sin(x) * std::sin(phase);
  double s = std::sin(x) * std::cos(phase) - std::cos(x) * std::sin(phase);
  return std::sqrt(2 / (kPi * x)) * (second ? s : c);
}

}  // namespace

double BesselJ(int order, double x) {
  if (order >= -kMaxRecurrenceOrder && order <= kMaxRecurrenceOrder) return ::jn(order, x);
  if (std::isnan(x)) return kNaN;
  long long n = std::llabs(static_cast<long long>(order));
  // J_-n = (-1)^n J_n and J_n(-x) = (-1)^n J_n(x).
  double sign = IsOdd(n) && ((order < 0) != (x < 0)) ? -1.0 : 1.0;
  double ax = std::fabs(x);
  if (std::isinf(ax)) return 0.0;
  switch (RegionOf(static_cast<double>(n), ax)) {
    case Region::kBelowTurningPoint: return sign * 0.0;
    case Region::kLargeArgument: return sign * LargeArgument(n, ax, false);
    case Region::kUnknown: break;
  }
  return kNaN;
}

double BesselY(int order, double x) {
  if (order >= -kMaxRecurrenceOrder && order <= kMaxRecurrenceOrder) return ::yn(order, x);
  if (std::isnan(x) || x < 0) return kNaN;
  long long n = std::llabs(static_cast<long long>(order));
  // Y_-n = (-1)^n Y_n.
  double sign = IsOdd(n) && order < 0 ? -1.0 : 1.0;
  if (std::isinf(x)) return 0.0;
  switch (RegionOf(static_cast<double>(n), x)) {
    case Region::kBelowTurningPoint: return -sign * kInfinity;
    case Region::kLargeArgument: return sign * LargeArgument(n, x, true);
    case Region::kUnknown: break;
  }
  return kNaN;
}

}  // namespace tessarin::engine
