#pragma once
// Adaptive integrators of the QUADPACK family: QAGSE (finite range), QAGIE
// (infinite range) and QAWO (cosine or sine weight). The integrand is
// evaluated in the published order, so the results, error codes and
// evaluation counts are those of the published routines.

namespace tessarin::engine {

class Integrand {
 public:
  virtual ~Integrand() = default;
  virtual double Evaluate(double x) = 0;
  // True once evaluation must stop (the program was interrupted or ended);
  // the integrators then give up at once and their result is meaningless.
  [[nodiscard]] virtual bool Abandoned() const = 0;
};

// ier: 0 normal, 1 subdivision limit, 2 roundoff, 3 bad integrand
// behaviour, 4 no convergence, 5 probably divergent, 6 invalid input,
// 9 no work storage.
struct QuadratureResult {
  double result = 0.0;
  double abserr = 0.0;
  int neval = 0;
  int ier = 0;
};

inline constexpr int kQuadNoStorage = 9;

QuadratureResult IntegrateFinite(Integrand& f, double a, double b, double epsabs, double epsrel, int limit);
// inf: 1 from bound to +infinity, -1 from -infinity to bound, 2 the whole line.
QuadratureResult IntegrateInfinite(Integrand& f, double bound, int inf, double epsabs, double epsrel, int limit);
// integr: 1 f(x)·cos(omega·x), 2 f(x)·sin(omega·x); leniw/2 subintervals and
// maxp1 Chebyshev moments at most.
QuadratureResult IntegrateOscillatory(Integrand& f, double a, double b, double omega, int integr, double epsabs,
                                      double epsrel, int leniw, int maxp1);

}  // namespace tessarin::engine
