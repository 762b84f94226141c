#pragma once
// The gamma family and rounding helpers used by the simple built-ins.

namespace tessarin::engine {

double LogGammaPositive(double x);  // ln Γ(x) for x > 0 (Lanczos, g = 5)
double Gamma(double x);
double LogGamma(double x);
double RegularizedLowerGamma(double a, double x);  // P(a, x)
// floor(x + 0.5) for x >= 0, ceil(x - 0.5) below.
double RoundHalfAway(double x);
// RoundHalfAway as an int, clamped to the int range (NaN gives 0).
int RoundToInt(double x);

}  // namespace tessarin::engine
