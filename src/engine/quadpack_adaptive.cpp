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
  int ierro = 0;
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
  IntervalLists lists;
  if (!lists.Allocate(limit, false)) {
    out.ier = kQuadNoStorage;
    return out;
  }
  std::vector<double>& alist = lists.alist;
  std::vector<double>& blist = lists.blist;
  std::vector<double>& rlist = lists.rlist;
  std::vector<double>& elist = lists.elist;
  std::vector<int>& iord = lists.iord;
  alist[1] = a;
  blist[1] = b;
  rlist[1] = result;
  elist[1] = abserr;
  iord[1] = 1;

  EpsilonTable table;
  table.epstab[1] = result;
  double errmax = abserr;
  int maxerr = 1;
  double area = result;
  double errsum = abserr;
  abserr = kOflow;
  int nrmax = 1;
  int numrl2 = 2;
  int ktmin = 0;
  bool extrap = false;
  bool noext = false;
  int iroff1 = 0, iroff2 = 0, iroff3 = 0;
  int ksgn = dres >= (1.0 - 50.0 * kEpmach) * defabs ? 1 : -1;
  double small = 0.0, erlarg = 0.0, ertest = 0.0, correc = 0.0;
  bool sumList = false;

  for (last = 2; last <= limit; ++last) {
    // Bisect the subinterval with the nrmax-th largest error estimate.
    double a1 = alist[maxerr];
    double b1 = 0.5 * (alist[maxerr] + blist[maxerr]);
    double a2 = b1;
    double b2 = blist[maxerr];
    double erlast = errmax;
    RuleResult left = rule(a1, b1);
    RuleResult right = rule(a2, b2);
    out.neval = evaluations(last);
    if (rule.Abandoned()) return out;
    double area1 = left.result, error1 = left.abserr;
    double area2 = right.result, error2 = right.abserr;
    double area12 = area1 + area2;
    double erro12 = error1 + error2;
    errsum = errsum + erro12 - errmax;
    area = area + area12 - rlist[maxerr];
    if (left.resasc != error1 && right.resasc != error2) {
      if (!(std::fabs(rlist[maxerr] - area12) > 1.0e-5 * std::fabs(area12) || erro12 < 0.99 * errmax)) {
        if (extrap) {
          ++iroff2;
        } else {
          ++iroff1;
        }
      }
      if (last > 10 && erro12 > errmax) ++iroff3;
    }
    rlist[maxerr] = area1;
    rlist[last] = area2;
    errbnd = std::max(epsabs, epsrel * std::fabs(area));
    // Roundoff, the subdivision limit and bad behaviour at a point.
    if (iroff1 + iroff2 >= 10 || iroff3 >= 20) ier = 2;
    if (iroff2 >= 5) ierro = 3;
    if (last == limit) ier = 1;
    if (std::max(std::fabs(a1), std::fabs(b2)) <= (1.0 + 100.0 * kEpmach) * (std::fabs(a2) + 1000.0 * kUflow)) ier = 4;
    // Append the newly created intervals to the list.
    if (!(error2 > error1)) {
      alist[last] = a2;
      blist[maxerr] = b1;
      blist[last] = b2;
      elist[maxerr] = error1;
      elist[last] = error2;
    } else {
      alist[maxerr] = a2;
      alist[last] = a1;
      blist[last] = b1;
      rlist[maxerr] = area2;
      rlist[last] = area1;
      elist[maxerr] = error2;
      elist[last] = error1;
    }
    SortErrors(limit, last, maxerr, errmax, elist, iord, nrmax);
    if (errsum <= errbnd) {
      sumList = true;
      break;
    }
    if (ier != 0) break;
    if (last == 2) {
      small = std::fabs(b - a) * 0.375;
      erlarg = errsum;
      ertest = errbnd;
      table.epstab[2] = area;
      continue;
    }
    if (noext) continue;
    erlarg -= erlast;
    if (std::fabs(b1 - a1) > small) erlarg += erro12;
    if (!extrap) {
      // Is the interval to be bisected next the smallest one?
      if (std::fabs(blist[maxerr] - alist[maxerr]) > small) continue;
      extrap = true;
      nrmax = 2;
    }
    if (!(ierro == 3 || erlarg <= ertest)) {
      // The smallest interval has the largest error: before bisecting,
      // decrease the sum of the errors over the larger intervals.
      int id = nrmax;
      int jupbnd = last > 2 + limit / 2 ? limit + 3 - last : last;
      bool larger = false;
      for (int k = id; k <= jupbnd; ++k) {
        maxerr = iord[nrmax];
        errmax = elist[maxerr];
        if (std::fabs(blist[maxerr] - alist[maxerr]) > small) {
          larger = true;
          break;
        }
        ++nrmax;
      }
      if (larger) continue;
    }
    // Extrapolation.
    ++numrl2;
    table.epstab[numrl2] = area;
    double reseps = 0.0, abseps = 0.0;
    Extrapolate(table, numrl2, reseps, abseps);
    ++ktmin;
    if (ktmin > 5 && abserr < 1.0e-3 * errsum) ier = 5;
    if (!(abseps >= abserr)) {
      ktmin = 0;
      abserr = abseps;
      result = reseps;
      correc = erlarg;
      ertest = std::max(epsabs, epsrel * std::fabs(reseps));
      if (abserr <= ertest) break;
    }
    // Prepare bisection of the smallest interval.
    if (numrl2 == 1) noext = true;
    if (ier == 5) break;
    maxerr = iord[1];
    errmax = elist[maxerr];
    nrmax = 1;
    extrap = false;
    small *= 0.5;
    erlarg = errsum;
  }
  if (last > limit) last = limit;
  FinalState state{result, abserr, area, errsum, defabs, correc, ier, ierro, ksgn, last, false};
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
