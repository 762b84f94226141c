#include <algorithm>
#include <cmath>
#include <new>

#include "engine/quadpack_parts.h"

// The epsilon algorithm, the ordering of the error list and the final steps
// shared by the adaptive drivers.

namespace tessarin::engine::quadpack {

void Extrapolate(EpsilonTable& table, int& n, double& result, double& abserr) {
  double* epstab = table.epstab;  // 1-based
  double* res3la = table.res3la;
  constexpr int kLimexp = 50;
  ++table.nres;
  abserr = kOflow;
  result = epstab[n];
  if (n < 3) {
    abserr = std::max(abserr, 5.0 * kEpmach * std::fabs(result));
    return;
  }
  epstab[n + 2] = epstab[n];
  int newelm = (n - 1) / 2;
  epstab[n] = kOflow;
  int num = n;
  int k1 = n;
  bool converged = false;
  for (int i = 1; i <= newelm; ++i) {
    int k2 = k1 - 1;
    int k3 = k1 - 2;
    double res = epstab[k1 + 2];
    double e0 = epstab[k3];
    double e1 = epstab[k2];
    double e2 = res;
    double e1abs = std::fabs(e1);
    double delta2 = e2 - e1;
    double err2 = std::fabs(delta2);
    double tol2 = std::max(std::fabs(e2), e1abs) * kEpmach;
    double delta3 = e1 - e0;
    double err3 = std::fabs(delta3);
    double tol3 = std::max(e1abs, std::fabs(e0)) * kEpmach;
    if (!(err2 > tol2 || err3 > tol3)) {
      // e0, e1 and e2 agree to machine accuracy: convergence.
      result = res;
      abserr = err2 + err3;
      converged = true;
      break;
    }
    double e3 = epstab[k1];
    epstab[k1] = e1;
    double delta1 = e1 - e3;
    double err1 = std::fabs(delta1);
    double tol1 = std::max(e1abs, std::fabs(e3)) * kEpmach;
    bool omit = err1 <= tol1 || err2 <= tol2 || err3 <= tol3;
    double ss = 0.0;
    if (!omit) {
      ss = 1.0 / delta1 + 1.0 / delta2 - 1.0 / delta3;
      // Irregular behaviour in the table: omit a part of it.
      omit = !(std::fabs(ss * e1) > 1.0e-4);
    }
    if (omit) {
      n = i + i - 1;
      break;
    }
    res = e1 + 1.0 / ss;
    epstab[k1] = res;
    k1 -= 2;
    double error = err2 + std::fabs(res - e2) + err3;
    if (!(error > abserr)) {
      abserr = error;
      result = res;
    }
  }
  if (!converged) {
    // Shift the table.
    if (n == kLimexp) n = 2 * (kLimexp / 2) - 1;
    int ib = (num / 2) * 2 == num ? 2 : 1;
    int ie = newelm + 1;
    for (int i = 1; i <= ie; ++i) {
      epstab[ib] = epstab[ib + 2];
      ib += 2;
    }
    if (num != n) {
      int indx = num - n + 1;
      for (int i = 1; i <= n; ++i) epstab[i] = epstab[indx++];
    }
    if (table.nres < 4) {
      res3la[table.nres] = result;
      abserr = kOflow;
    } else {
      abserr = std::fabs(result - res3la[3]) + std::fabs(result - res3la[2]) + std::fabs(result - res3la[1]);
      res3la[1] = res3la[2];
      res3la[2] = res3la[3];
      res3la[3] = result;
    }
  }
  abserr = std::max(abserr, 5.0 * kEpmach * std::fabs(result));
}

void SortErrors(int limit, int last, int& maxerr, double& ermax, const std::vector<double>& elist,
                std::vector<int>& iord, int& nrmax) {
  if (last <= 2) {
    iord[1] = 1;
    iord[2] = 2;
  } else {
    // Move the interval that was bisected up while its error is larger.
    double errmax = elist[maxerr];
    if (nrmax != 1) {
      int ido = nrmax - 1;
      for (int i = 1; i <= ido; ++i) {
        int isucc = iord[nrmax - 1];
        if (errmax <= elist[isucc]) break;
        iord[nrmax] = isucc;
        --nrmax;
      }
    }
    // Only the first jupbn entries need to be kept in order.
    int jupbn = last > limit / 2 + 2 ? limit + 3 - last : last;
    double errmin = elist[last];
    int jbnd = jupbn - 1;
    int ibeg = nrmax + 1;
    int i = ibeg;
    bool placed = false;
    for (; i <= jbnd; ++i) {
      int isucc = iord[i];
      if (errmax >= elist[isucc]) {
        placed = true;
        break;
      }
      iord[i - 1] = isucc;
    }
    if (!placed) {
      iord[jbnd] = maxerr;
      iord[jupbn] = last;
    } else {
      // Insert errmin by traversing the list bottom-up.
      iord[i - 1] = maxerr;
      int k = jbnd;
      bool inserted = false;
      for (int j = i; j <= jbnd; ++j) {
        int isucc = iord[k];
        if (errmin < elist[isucc]) {
          iord[k + 1] = last;
          inserted = true;
          break;
        }
        iord[k + 1] = isucc;
        --k;
      }
      if (!inserted) iord[i] = last;
    }
  }
  maxerr = iord[nrmax];
  ermax = elist[maxerr];
}

bool IntervalLists::Allocate(int limit, bool withMomentLevels) {
  try {
    auto size = static_cast<std::size_t>(limit) + 1;
    alist.assign(size, 0.0);
    blist.assign(size, 0.0);
    rlist.assign(size, 0.0);
    elist.assign(size, 0.0);
    iord.assign(size + 1, 0);
    if (withMomentLevels) nnlog.assign(size, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool AdaptiveState::TakeHalves(int last, double a1, double b1, double a2, double b2, const RuleResult& left,
                               const RuleResult& right) {
  std::vector<double>& alist = lists.alist;
  std::vector<double>& blist = lists.blist;
  std::vector<double>& rlist = lists.rlist;
  std::vector<double>& elist = lists.elist;
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
  SortErrors(limit, last, maxerr, errmax, elist, lists.iord, nrmax);
  return errsum <= errbnd;
}

bool AdaptiveState::LargerIntervalLeft(int last) {
  int id = nrmax;
  int jupbnd = last > 2 + limit / 2 ? limit + 3 - last : last;
  for (int k = id; k <= jupbnd; ++k) {
    maxerr = lists.iord[nrmax];
    errmax = lists.elist[maxerr];
    if (std::fabs(lists.blist[maxerr] - lists.alist[maxerr]) > small) return true;
    ++nrmax;
  }
  return false;
}

bool AdaptiveState::ExtrapolationEnds(int needed) {
  ++numrl2;
  table.epstab[numrl2] = area;
  if (numrl2 < needed) return false;
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
    if (abserr <= ertest) return true;
  }
  if (numrl2 == 1) noext = true;
  return ier == 5;
}

void AdaptiveState::RestartAtLargestError() {
  maxerr = lists.iord[1];
  errmax = lists.elist[maxerr];
  nrmax = 1;
  extrap = false;
  small *= 0.5;
  erlarg = errsum;
}

void FinishAdaptive(FinalState& s, const IntervalLists& lists, bool sumList) {
  bool divergenceTest = false;
  if (!sumList && s.abserr != kOflow) {
    if (s.ier + s.ierro == 0) {
      divergenceTest = true;
    } else {
      if (s.ierro == 3) s.abserr += s.correc;
      if (s.ier == 0) s.ier = 3;
      if (s.result != 0.0 && s.area != 0.0) {
        divergenceTest = !(s.abserr / std::fabs(s.result) > s.errsum / std::fabs(s.area));
        sumList = !divergenceTest;
      } else if (s.abserr > s.errsum) {
        sumList = true;
      } else {
        divergenceTest = s.area != 0.0;
      }
    }
  } else {
    sumList = true;
  }
  if (divergenceTest) {
    if (!(s.ksgn == -1 && std::max(std::fabs(s.result), std::fabs(s.area)) <= s.defabs * 0.01)) {
      double ratio = s.result / s.area;
      bool large = s.divergenceTestInclusive ? s.errsum >= std::fabs(s.area) : s.errsum > std::fabs(s.area);
      if (0.01 > ratio || ratio > 100.0 || large) s.ier = 6;
    }
  } else if (sumList) {
    s.result = 0.0;
    for (int k = 1; k <= s.last; ++k) s.result += lists.rlist[k];
    s.abserr = s.errsum;
  }
  if (s.ier > 2) --s.ier;
}

}  // namespace tessarin::engine::quadpack
