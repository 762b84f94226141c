#include <algorithm>
#include <cmath>

#include "engine/quadpack_parts.h"

// QAGSE and QAGIE: adaptive bisection with extrapolation by the epsilon
// algorithm. The two differ only in the rule and the evaluation count, so
// one driver serves both.

namespace tessarin::engine {
namespace {

using namespace quadpack;

template <typename Rule>
QuadratureResult Adaptive(Rule rule, double a, double b, double epsabs, double epsrel, int limit,
                          int evaluationsPerRule) {
  QuadratureResult out;
  auto evaluations = [&](int last) { return evaluationsPerRule * (2 * last - 1); };
  if (epsabs <= 0.0 && epsrel < std::max(50.0 * kEpmach, 0.5e-28)) {
    out.ier = 6;
    return out;
  }
  if (limit < 1) {
    out.ier = 6;
    return out;
  }
  // First approximation to the integral.
  RuleResult first = rule(a, b);
  double result = first.result;
  double abserr = first.abserr;
  double defabs = first.resabs;
  double resabs = first.resasc;
  out.neval = evaluations(1);
  double dres = std::fabs(result);
  double errbnd = std::max(epsabs, epsrel * dres);
  int last = 1;
  int ier = 0;
  if (abserr <= 100.0 * kEpmach * defabs && abserr > errbnd) ier = 2;
  if (limit == 1) ier = 1;
  if (ier != 0 || (abserr <= errbnd && abserr != resabs) || abserr == 0.0) {
    out.result = result;
    out.abserr = abserr;
    out.ier = ier;
    return out;
  }
  // The subinterval lists are needed only from here on; most calls end
  // with the first rule.
  AdaptiveState st;
  if (!st.lists.Allocate(limit, false)) {
    out.ier = kQuadNoStorage;
    return out;
  }
  IntervalLists& lists = st.lists;
  lists.alist[1] = a;
  lists.blist[1] = b;
  lists.rlist[1] = result;
  lists.elist[1] = abserr;
  lists.iord[1] = 1;
  st.limit = limit;
  st.epsabs = epsabs;
  st.epsrel = epsrel;
  st.result = result;
  st.table.epstab[1] = result;
  st.errmax = abserr;
  st.area = result;
  st.errsum = abserr;
  st.abserr = kOflow;
  st.numrl2 = 2;
  int ksgn = dres >= (1.0 - 50.0 * kEpmach) * defabs ? 1 : -1;
  bool sumList = false;

  for (last = 2; last <= limit; ++last) {
    // Bisect the subinterval with the nrmax-th largest error estimate.
    double a1 = lists.alist[st.maxerr];
    double b1 = 0.5 * (lists.alist[st.maxerr] + lists.blist[st.maxerr]);
    double a2 = b1;
    double b2 = lists.blist[st.maxerr];
    double erlast = st.errmax;
    RuleResult left = rule(a1, b1);
    RuleResult right = rule(a2, b2);
    out.neval = evaluations(last);
    if (rule.Abandoned()) return out;
    if (st.TakeHalves(last, a1, b1, a2, b2, left, right)) {
      sumList = true;
      break;
    }
    if (st.ier != 0) break;
    if (last == 2) {
      st.small = std::fabs(b - a) * 0.375;
      st.erlarg = st.errsum;
      st.ertest = st.errbnd;
      st.table.epstab[2] = st.area;
      continue;
    }
    if (st.noext) continue;
    st.erlarg -= erlast;
    if (std::fabs(b1 - a1) > st.small) st.erlarg += left.abserr + right.abserr;
    if (!st.extrap) {
      // Is the interval to be bisected next the smallest one?
      if (std::fabs(lists.blist[st.maxerr] - lists.alist[st.maxerr]) > st.small) continue;
      st.extrap = true;
      st.nrmax = 2;
    }
    // The smallest interval has the largest error: before bisecting,
    // decrease the sum of the errors over the larger intervals.
    if (!(st.ierro == 3 || st.erlarg <= st.ertest) && st.LargerIntervalLeft(last)) continue;
    if (st.ExtrapolationEnds(0)) break;
    st.RestartAtLargestError();
  }
  if (last > limit) last = limit;
  FinalState state{st.result, st.abserr, st.area, st.errsum, defabs, st.correc, st.ier, st.ierro, ksgn, last, false};
  FinishAdaptive(state, lists, sumList);
  out.result = state.result;
  out.abserr = state.abserr;
  out.ier = state.ier;
  out.neval = evaluations(last);
  return out;
}

struct FiniteRule {
  Integrand& f;
  RuleResult operator()(double a, double b) const { return quadpack::Kronrod21(f, a, b); }
  bool Abandoned() const { return f.Abandoned(); }
};

struct InfiniteRule {
  Integrand& f;
  double boun;
  int inf;
  RuleResult operator()(double a, double b) const { return quadpack::Kronrod15Infinite(f, boun, inf, a, b); }
  bool Abandoned() const { return f.Abandoned(); }
};

}  // namespace

QuadratureResult IntegrateFinite(Integrand& f, double a, double b, double epsabs, double epsrel, int limit) {
  return Adaptive(FiniteRule{f}, a, b, epsabs, epsrel, limit, 21);
}

QuadratureResult IntegrateInfinite(Integrand& f, double bound, int inf, double epsabs, double epsrel, int limit) {
  double boun = inf == 2 ? 0.0 : bound;
  return Adaptive(InfiniteRule{f, boun, inf}, 0.0, 1.0, epsabs, epsrel, limit, inf == 2 ? 30 : 15);
}

}  // namespace tessarin::engine
