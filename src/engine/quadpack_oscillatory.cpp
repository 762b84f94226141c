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
  IntervalLists lists;
  MomentTable moments;
  if (!lists.Allocate(limit, true) || !moments.Allocate(maxp1)) {
    out.ier = kQuadNoStorage;
    return out;
  }
  std::vector<double>& alist = lists.alist;
  std::vector<double>& blist = lists.blist;
  std::vector<double>& rlist = lists.rlist;
  std::vector<double>& elist = lists.elist;
  std::vector<int>& iord = lists.iord;
  std::vector<int>& nnlog = lists.nnlog;
  alist[1] = a;
  blist[1] = b;
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
  rlist[1] = result;
  elist[1] = abserr;
  iord[1] = 1;
  int ier = 0;
  if (abserr <= 100.0 * kEpmach * defabs && abserr > errbnd) ier = 2;
  if (limit == 1) ier = 1;
  if (ier != 0 || abserr <= errbnd) {
    out.abserr = abserr;
    out.ier = ier;
    return finish(result);
  }

  double errmax = abserr;
  int maxerr = 1;
  double area = result;
  double errsum = abserr;
  abserr = kOflow;
  int nrmax = 1;
  bool extrap = false;
  bool noext = false;
  int ierro = 0;
  int iroff1 = 0, iroff2 = 0, iroff3 = 0;
  int ktmin = 0;
  double small = std::fabs(b - a) * 0.75;
  EpsilonTable table;
  int numrl2 = 0;
  bool extall = false;
  if (!(0.5 * std::fabs(b - a) * domega > 2.0)) {
    numrl2 = 1;
    extall = true;
    table.epstab[1] = result;
  }
  if (0.25 * std::fabs(b - a) * domega <= 2.0) extall = true;
  int ksgn = dres >= (1.0 - 50.0 * kEpmach) * defabs ? 1 : -1;
  double erlarg = 0.0, ertest = 0.0, correc = 0.0;
  bool sumList = false;
  int last = 2;

  for (last = 2; last <= limit; ++last) {
    int nrmom = nnlog[maxerr] + 1;
    double a1 = alist[maxerr];
    double b1 = 0.5 * (alist[maxerr] + blist[maxerr]);
    double a2 = b1;
    double b2 = blist[maxerr];
    double erlast = errmax;
    ClenshawCurtisResult left = ClenshawCurtis(f, a1, b1, domega, integr, nrmom, false, moments);
    out.neval += left.neval;
    ClenshawCurtisResult right = ClenshawCurtis(f, a2, b2, domega, integr, nrmom, true, moments);
    out.neval += right.neval;
    if (f.Abandoned()) return out;
    double area1 = left.rule.result, error1 = left.rule.abserr;
    double area2 = right.rule.result, error2 = right.rule.abserr;
    double area12 = area1 + area2;
    double erro12 = error1 + error2;
    errsum = errsum + erro12 - errmax;
    area = area + area12 - rlist[maxerr];
    if (left.rule.resasc != error1 && right.rule.resasc != error2) {
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
    nnlog[maxerr] = nrmom;
    nnlog[last] = nrmom;
    errbnd = std::max(epsabs, epsrel * std::fabs(area));
    if (iroff1 + iroff2 >= 10 || iroff3 >= 20) ier = 2;
    if (iroff2 >= 5) ierro = 3;
    if (last == limit) ier = 1;
    if (std::max(std::fabs(a1), std::fabs(b2)) <= (1.0 + 100.0 * kEpmach) * (std::fabs(a2) + 1000.0 * kUflow)) ier = 4;
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
    if (last == 2 && extall) {
      small *= 0.5;
      ++numrl2;
      table.epstab[numrl2] = area;
      ertest = errbnd;
      erlarg = errsum;
      continue;
    }
    if (noext) continue;
    bool smallest = false;  // go on with extrapolation (label 70)
    if (extall) {
      erlarg -= erlast;
      if (std::fabs(b1 - a1) > small) erlarg += erro12;
      smallest = extrap;
    }
    if (!smallest) {
      // Is the interval to be bisected next the smallest one?
      double width = std::fabs(blist[maxerr] - alist[maxerr]);
      if (width > small) continue;
      if (!extall) {
        // Extrapolation starts once the next interval is integrated with the
        // Gauss-Kronrod rule.
        small *= 0.5;
        if (0.25 * width * domega > 2.0) continue;
        extall = true;
        ertest = errbnd;
        erlarg = errsum;
        continue;
      }
      extrap = true;
      nrmax = 2;
    }
    if (!(ierro == 3 || erlarg <= ertest)) {
      int jupbnd = last > limit / 2 + 2 ? limit + 3 - last : last;
      int id = nrmax;
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
    ++numrl2;
    table.epstab[numrl2] = area;
    if (numrl2 >= 3) {
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
      if (numrl2 == 1) noext = true;
      if (ier == 5) break;
    }
    maxerr = iord[1];
    errmax = elist[maxerr];
    nrmax = 1;
    extrap = false;
    small *= 0.5;
    erlarg = errsum;
  }
  if (last > limit) last = limit;
  FinalState state{result, abserr, area, errsum, defabs, correc, ier, ierro, ksgn, last, true};
  FinishAdaptive(state, lists, sumList || table.nres == 0);
  out.abserr = state.abserr;
  out.ier = state.ier;
  return finish(state.result);
}

}  // namespace tessarin::engine
