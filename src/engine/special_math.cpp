#include "engine/special_math.h"

#include <climits>
#include <cmath>
#include <limits>

namespace tessarin::engine {
namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kTiny = 1e-200;
constexpr double kEpsilon = 3e-15;
constexpr int kMaxTerms = 10000;

bool IsNegativeInteger(double x) { return x < 0 && std::floor(x) == x; }

double LowerSeries(double a, double x) {
  double ap = a;
  double term = 1.0 / a;
  double sum = term;
  for (int n = 0; n < kMaxTerms; ++n) {
    ap += 1.0;
    term *= x / ap;
    sum += term;
    if (std::fabs(term) < std::fabs(sum) * kEpsilon) break;
  }
  return sum * std::exp(-x + a * std::log(x) - LogGammaPositive(a));
}

double UpperContinuedFraction(double a, double x) {
  double b = x + 1.0 - a;
  double c = 1.0 / kTiny;
  double d = 1.0 / b;
  double h = d;
  for (int i = 1; i <= kMaxTerms; ++i) {
    double an = -i * (i - a);
    b += 2.0;
    d = an * d + b;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = b + an / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1.0 / d;
    double factor = d * c;
    h *= factor;
    if (std::fabs(factor - 1.0) < kEpsilon) break;
  }
  return std::exp(-x + a * std::log(x) - LogGammaPositive(a)) * h;
}
}  // namespace

double LogGammaPositive(double x) {
  static constexpr double kCoefficients[6] = {76.18009172947146,     -86.50532032941678,
                                              24.01409824083091,     -1.231739572450155,
                                              0.001208650973866179, -5.395239384953e-6};
  double series = 1.000000000190015;
  for (int k = 0; k < 6; ++k) series += kCoefficients[k] / (x + k + 1);
  double t = x + 5.5;
  return std::log(2.5066282746310007 * series / x) - (t - (x + 0.5) * std::log(t));
}

double Gamma(double x) {
  if (std::isnan(x) || x < -1e15) return std::numeric_limits<double>::quiet_NaN();
  if (x >= 0) return std::exp(LogGammaPositive(x));
  if (IsNegativeInteger(x)) {
    bool odd = std::fmod(-x, 2.0) == 1.0;
    return odd ? std::numeric_limits<double>::infinity() : -std::numeric_limits<double>::infinity();
  }
  return kPi / std::sin(kPi * (1.0 - x)) / std::exp(LogGammaPositive(1.0 - x));
}

double LogGamma(double x) {
  if (std::isnan(x) || x < -1e15) return std::numeric_limits<double>::quiet_NaN();
  if (x >= 0) return LogGammaPositive(x);
  if (IsNegativeInteger(x)) return std::numeric_limits<double>::infinity();
  return std::log(std::fabs(kPi / std::sin(kPi * (1.0 - x)))) - LogGammaPositive(1.0 - x);
}

double RegularizedLowerGamma(double a, double x) {
  if (std::isnan(a) || std::isnan(x)) return std::numeric_limits<double>::quiet_NaN();
  if (x < a + 1.0) return x <= 0 ? 0.0 : LowerSeries(a, x);
  return 1.0 - UpperContinuedFraction(a, x);
}

double RoundHalfAway(double x) { return x >= 0 ? std::floor(x + 0.5) : std::ceil(x - 0.5); }

int RoundToInt(double x) {
  double rounded = RoundHalfAway(x);
  if (std::isnan(rounded)) return 0;
  if (rounded >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (rounded <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(rounded);
}

}  // namespace tessarin::engine
