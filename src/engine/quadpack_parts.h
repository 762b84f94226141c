#pragma once
// The pieces the QUADPACK drivers share: the Gauss-Kronrod rules, the
// epsilon algorithm and the ordering of the error list. Arrays are indexed
// from 1, as in the published routines, so that their steps read the same.

#include <vector>

#include "engine/quadpack.h"

namespace tessarin::engine::quadpack {

inline constexpr double kEpmach = 2.220446049250313e-16;  // 2^-52
inline constexpr double kUflow = 2.2250738585072014e-308;
inline constexpr double kOflow = 1.7976931348623157e308;

struct RuleResult {
  double result = 0.0;
  double abserr = 0.0;
  double resabs = 0.0;  // integral of |f|
  double resasc = 0.0;  // integral of |f - mean|
};

RuleResult Kronrod21(Integrand& f, double a, double b);
// The 15-point rule on (a, b) within (0, 1] mapped onto the infinite range.
RuleResult Kronrod15Infinite(Integrand& f, double boun, int inf, double a, double b);
// The 15-point rule for f(x)·cos(omega·x) (integr 1) or ·sin (integr 2).
RuleResult Kronrod15Weighted(Integrand& f, double omega, int integr, double a, double b);

// Epsilon algorithm: epstab holds 52 + 2 values (index 1 up), res3la 3.
struct EpsilonTable {
  double epstab[55] = {};
  double res3la[4] = {};
  int nres = 0;
};
void Extrapolate(EpsilonTable& table, int& n, double& result, double& abserr);

// Keeps iord descending by error; maxerr and ermax name the next interval.
void SortErrors(int limit, int last, int& maxerr, double& ermax, const std::vector<double>& elist,
                std::vector<int>& iord, int& nrmax);

// The subinterval lists of the adaptive drivers, 1-based.
struct IntervalLists {
  std::vector<double> alist, blist, rlist, elist;
  std::vector<int> iord, nnlog;
  // False when the storage cannot be obtained.
  [[nodiscard]] bool Allocate(int limit, bool withMomentLevels);
};

// What the main loops of the adaptive drivers share: the subinterval list,
// the running sums, the roundoff counters and the extrapolation table.
struct AdaptiveState {
  IntervalLists lists;
  int limit = 0;
  double epsabs = 0, epsrel = 0;
  double result = 0, abserr = 0, area = 0, errsum = 0, errbnd = 0, errmax = 0;
  double erlarg = 0, ertest = 0, correc = 0, small = 0;
  int maxerr = 1, nrmax = 1, numrl2 = 0, ktmin = 0;
  int iroff1 = 0, iroff2 = 0, iroff3 = 0, ier = 0, ierro = 0;
  bool extrap = false, noext = false;
  EpsilonTable table;

  // Replaces interval maxerr by its halves (a1, b1) and (a2, b2), updates
  // the sums, the roundoff counters and the error flags, and orders the
  // list; true when the sum of the errors is within the bound.
  [[nodiscard]] bool TakeHalves(int last, double a1, double b1, double a2, double b2, const RuleResult& left,
                  const RuleResult& right);
  // Before extrapolating: moves on to the intervals larger than `small`
  // among the largest errors; true when one is found (it is bisected next).
  [[nodiscard]] bool LargerIntervalLeft(int last);
  // One extrapolation step (the table needs `needed` entries first); true
  // when the loop ends.
  [[nodiscard]] bool ExtrapolationEnds(int needed);
  // Back to the interval with the largest error after extrapolating.
  void RestartAtLargestError();
};

// The error code's final adjustment and the sum over the list, shared by
// the drivers once their main loop has ended.
struct FinalState {
  double result, abserr, area, errsum, defabs, correc;
  int ier, ierro, ksgn, last;
  bool divergenceTestInclusive;  // QAWOE's errsum >= |area|
};
void FinishAdaptive(FinalState& s, const IntervalLists& lists, bool sumList);

}  // namespace tessarin::engine::quadpack
