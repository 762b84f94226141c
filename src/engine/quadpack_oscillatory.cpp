#include <algorithm>
#include <cmath>

#include "engine/quadpack_oscillatory.h"

// QAWO and QAWOE: adaptive integration of f(x)·cos(omega·x) or
// f(x)·sin(omega·x) over a finite range, Clenshaw-Curtis on large
// subintervals, Gauss-Kronrod on small ones, with extrapolation.

namespace tessarin::engine {

using namespace quadpack;

QuadratureResult IntegrateOscillatory(Integrand& f, double a, double b, double omega, int integr, double epsabs,
                                      double epsrel, int leniw, int maxp1) {
  QuadratureResult out;
  out.ier = 6;
  if (leniw < 2 || maxp1 < 1) return out;
  int limit = leniw / 2;
  if ((integr != 1 && integr != 2) || (epsabs <= 0.0 && epsrel < std::max(50.0 * kEpmach, 0.5e-28))) return out;
  out.ier = 0;
  AdaptiveState st;
  MomentTable moments;
  if (!st.lists.Allocate(limit, true) || !moments.Allocate(maxp1)) {
    out.ier = kQuadNoStorage;
    return out;
  }
  IntervalLists& lists = st.lists;
  lists.alist[1] = a;
  lists.blist[1] = b;
  auto finish = [&](double value) {
    out.result = integr == 2 && omega < 0.0 ? -value : value;
    return out;
  };

  // First approximation to the integral.
  double domega = std::fabs(omega);
  ClenshawCurtisResult first = ClenshawCurtis(f, a, b, domega, integr, 0, false, moments);
  double result = first.rule.result;
  double abserr = first.rule.abserr;
  double defabs = first.rule.resabs;
  out.neval = first.neval;
  double dres = std::fabs(result);
  double errbnd = std::max(epsabs, epsrel * dres);
  lists.rlist[1] = result;
  lists.elist[1] = abserr;
  lists.iord[1] = 1;
  int ier = 0;
  if (abserr <= 100.0 * kEpmach * defabs && abserr > errbnd) ier = 2;
  if (limit == 1) ier = 1;
  if (ier != 0 || abserr <= errbnd) {
    out.abserr = abserr;
    out.ier = ier;
    return finish(result);
  }

  st.limit = limit;
  st.epsabs = epsabs;
  st.epsrel = epsrel;
  st.result = result;
  st.errmax = abserr;
  st.area = result;
  st.errsum = abserr;
  st.abserr = kOflow;
  st.small = std::fabs(b - a) * 0.75;
  bool extall = false;
  if (!(0.5 * std::fabs(b - a) * domega > 2.0)) {
    st.numrl2 = 1;
    extall = true;
    st.table.epstab[1] = result;
  }
  if (0.25 * std::fabs(b - a) * domega <= 2.0) extall = true;
  int ksgn = dres >= (1.0 - 50.0 * kEpmach) * defabs ? 1 : -1;
  bool sumList = false;
  int last = 2;

  for (last = 2; last <= limit; ++last) {
    int nrmom = lists.nnlog[st.maxerr] + 1;
    double a1 = lists.alist[st.maxerr];
    double b1 = 0.5 * (lists.alist[st.maxerr] + lists.blist[st.maxerr]);
    double a2 = b1;
    double b2 = lists.blist[st.maxerr];
    double erlast = st.errmax;
    ClenshawCurtisResult left = ClenshawCurtis(f, a1, b1, domega, integr, nrmom, false, moments);
    out.neval += left.neval;
    ClenshawCurtisResult right = ClenshawCurtis(f, a2, b2, domega, integr, nrmom, true, moments);
    out.neval += right.neval;
    if (f.Abandoned()) return out;
    lists.nnlog[st.maxerr] = nrmom;
    lists.nnlog[last] = nrmom;
    if (st.TakeHalves(last, a1, b1, a2, b2, left.rule, right.rule)) {
      sumList = true;
      break;
    }
    if (st.ier != 0) break;
    if (last == 2 && extall) {
      st.small *= 0.5;
      ++st.numrl2;
      st.table.epstab[st.numrl2] = st.area;
      st.ertest = st.errbnd;
      st.erlarg = st.errsum;
      continue;
    }
    if (st.noext) continue;
    bool smallest = false;  // go on with extrapolation
    if (extall) {
      st.erlarg -= erlast;
      if (std::fabs(b1 - a1) > st.small) st.erlarg += left.rule.abserr + right.rule.abserr;
      smallest = st.extrap;
    }
    if (!smallest) {
      // Is the interval to be bisected next the smallest one?
      double width = std::fabs(lists.blist[st.maxerr] - lists.alist[st.maxerr]);
      if (width > st.small) continue;
      if (!extall) {
        // Extrapolation starts once the next interval is integrated with the
        // Gauss-Kronrod rule.
        st.small *= 0.5;
        if (0.25 * width * domega > 2.0) continue;
        extall = true;
        st.ertest = st.errbnd;
        st.erlarg = st.errsum;
        continue;
      }
      st.extrap = true;
      st.nrmax = 2;
    }
    if (!(st.ierro == 3 || st.erlarg <= st.ertest) && st.LargerIntervalLeft(last)) continue;
    if (st.ExtrapolationEnds(3)) break;
    st.RestartAtLargestError();
  }
  if (last > limit) last = limit;
  FinalState state{st.result, st.abserr, st.area, st.errsum, defabs, st.correc, st.ier, st.ierro, ksgn, last, true};
  FinishAdaptive(state, lists, sumList || st.table.nres == 0);
  out.abserr = state.abserr;
  out.ier = state.ier;
  return finish(state.result);
}

}  // namespace tessarin::engine
