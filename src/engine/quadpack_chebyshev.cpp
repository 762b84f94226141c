#include <cmath>

#include "engine/quadpack_oscillatory.h"

// The 25-point Clenshaw-Curtis rule for f(x)·cos(omega·x) and
// f(x)·sin(omega·x) on one subinterval (QC25F), with the Chebyshev
// coefficients of f (QCHEB) and the modified Chebyshev moments of the
// weight, computed once per bisection level and kept.

namespace tessarin::engine::quadpack {
namespace {

// cos(k·pi/24), k = 1..11 (index 1-based).
constexpr double kX[12] = {0.0,
                           0.991444861373810411144557526928563,
                           0.965925826289068286749743199728897,
                           0.923879532511286756128183189396788,
                           0.866025403784438646763723170752936,
                           0.793353340291235164579776961501299,
                           0.707106781186547524400844362104849,
                           0.608761429008720639416097542898164,
                           0.500000000000000000000000000000000,
                           0.382683432365089771728459984030399,
                           0.258819045102520762348898837624048,
                           0.130526192220051591548406227895489};

// Coefficients of the Chebyshev series of degree 12 and 24 from the values
// at the 25 Clenshaw-Curtis points (fval is used as work space).
void ChebyshevCoefficients(double* fval, double* cheb12, double* cheb24) {
  const double* x = kX;
  double v[13];
  for (int i = 1; i <= 12; ++i) {
    int j = 26 - i;
    v[i] = fval[i] - fval[j];
    fval[i] = fval[i] + fval[j];
  }
  double alam1 = v[1] - v[9];
  double alam2 = x[6] * (v[3] - v[7] - v[11]);
  cheb12[4] = alam1 + alam2;
  cheb12[10] = alam1 - alam2;
  alam1 = v[2] - v[8] - v[10];
  alam2 = v[4] - v[6] - v[12];
  double alam = x[3] * alam1 + x[9] * alam2;
  cheb24[4] = cheb12[4] + alam;
  cheb24[22] = cheb12[4] - alam;
  alam = x[9] * alam1 - x[3] * alam2;
  cheb24[10] = cheb12[10] + alam;
  cheb24[16] = cheb12[10] - alam;
  double part1 = x[4] * v[5];
  double part2 = x[8] * v[9];
  double part3 = x[6] * v[7];
  alam1 = v[1] + part1 + part2;
  alam2 = x[2] * v[3] + part3 + x[10] * v[11];
  cheb12[2] = alam1 + alam2;
  cheb12[12] = alam1 - alam2;
  alam = x[1] * v[2] + x[3] * v[4] + x[5] * v[6] + x[7] * v[8] + x[9] * v[10] + x[11] * v[12];
  cheb24[2] = cheb12[2] + alam;
  cheb24[24] = cheb12[2] - alam;
  alam = x[11] * v[2] - x[9] * v[4] + x[7] * v[6] - x[5] * v[8] + x[3] * v[10] - x[1] * v[12];
  cheb24[12] = cheb12[12] + alam;
  cheb24[14] = cheb12[12] - alam;
  alam1 = v[1] - part1 + part2;
  alam2 = x[10] * v[3] - part3 + x[2] * v[11];
  cheb12[6] = alam1 + alam2;
  cheb12[8] = alam1 - alam2;
  alam = x[5] * v[2] - x[9] * v[4] - x[1] * v[6] - x[11] * v[8] + x[3] * v[10] + x[7] * v[12];
  cheb24[6] = cheb12[6] + alam;
  cheb24[20] = cheb12[6] - alam;
  alam = x[7] * v[2] - x[3] * v[4] - x[11] * v[6] + x[1] * v[8] - x[9] * v[10] - x[5] * v[12];
  cheb24[8] = cheb12[8] + alam;
  cheb24[18] = cheb12[8] - alam;
  for (int i = 1; i <= 6; ++i) {
    int j = 14 - i;
    v[i] = fval[i] - fval[j];
    fval[i] = fval[i] + fval[j];
  }
  alam1 = v[1] + x[8] * v[5];
  alam2 = x[4] * v[3];
  cheb12[3] = alam1 + alam2;
  cheb12[11] = alam1 - alam2;
  cheb12[7] = v[1] - v[5];
  alam = x[2] * v[2] + x[6] * v[4] + x[10] * v[6];
  cheb24[3] = cheb12[3] + alam;
  cheb24[23] = cheb12[3] - alam;
  alam = x[6] * (v[2] - v[4] - v[6]);
  cheb24[7] = cheb12[7] + alam;
  cheb24[19] = cheb12[7] - alam;
  alam = x[10] * v[2] - x[6] * v[4] + x[2] * v[6];
  cheb24[11] = cheb12[11] + alam;
  cheb24[15] = cheb12[11] - alam;
  for (int i = 1; i <= 3; ++i) {
    int j = 8 - i;
    v[i] = fval[i] - fval[j];
    fval[i] = fval[i] + fval[j];
  }
  cheb12[5] = v[1] + x[8] * v[3];
  cheb12[9] = fval[1] - x[8] * fval[3];
  alam = x[4] * v[2];
  cheb24[5] = cheb12[5] + alam;
  cheb24[21] = cheb12[5] - alam;
  alam = x[8] * fval[2] - fval[4];
  cheb24[9] = cheb12[9] + alam;
  cheb24[17] = cheb12[9] - alam;
  cheb12[1] = fval[1] + fval[3];
  alam = fval[2] + fval[4];
  cheb24[1] = cheb12[1] + alam;
  cheb24[25] = cheb12[1] - alam;
  cheb12[13] = v[1] - v[3];
  cheb24[13] = cheb12[13];
  alam = 1.0 / 6.0;
  for (int i = 2; i <= 12; ++i) cheb12[i] *= alam;
  alam *= 0.5;
  cheb12[1] *= alam;
  cheb12[13] *= alam;
  for (int i = 2; i <= 24; ++i) cheb24[i] *= alam;
  cheb24[1] = 0.5 * alam * cheb24[1];
  cheb24[25] = 0.5 * alam * cheb24[25];
}

// Tridiagonal solve by Gaussian elimination with partial pivoting:
// subdiagonal c, diagonal d, superdiagonal e, right-hand side b (all
// 1-based, overwritten); the solution replaces b.
void SolveTridiagonal(int n, double* c, double* d, double* e, double* b) {
  c[1] = d[1];
  int nm1 = n - 1;
  if (nm1 >= 1) {
    d[1] = e[1];
    e[1] = 0.0;
    e[n] = 0.0;
    for (int k = 1; k <= nm1; ++k) {
      int kp1 = k + 1;
      if (std::fabs(c[kp1]) >= std::fabs(c[k])) {
        std::swap(c[kp1], c[k]);
        std::swap(d[kp1], d[k]);
        std::swap(e[kp1], e[k]);
        std::swap(b[kp1], b[k]);
      }
      if (c[k] == 0.0) return;
      double t = -c[kp1] / c[k];
      c[kp1] = d[kp1] + t * d[k];
      d[kp1] = e[kp1] + t * e[k];
      e[kp1] = 0.0;
      b[kp1] = b[kp1] + t * b[k];
    }
  }
  if (c[n] == 0.0) return;
  int nm2 = n - 2;
  b[n] = b[n] / c[n];
  if (n == 1) return;
  b[nm1] = (b[nm1] - d[nm1] * b[n]) / c[nm1];
  for (int kb = 1; kb <= nm2; ++kb) {
    int k = nm2 - kb + 1;
    b[k] = (b[k] - d[k] * b[k + 1] - e[k] * b[k + 2]) / c[k];
  }
}

// The moments of the weight for the parameter parint = omega·h: the odd
// entries of row m (1-based) for cosine, the even ones for sine.
void ComputeMoments(double parint, double* row) {
  constexpr int kNoequ = 25;
  constexpr int kNoeq1 = kNoequ - 1;
  double v[29] = {};
  double d[26] = {}, d1[26] = {}, d2[26] = {};
  double par2 = parint * parint;
  double par22 = par2 + 2.0;
  double sinpar = std::sin(parint);
  double cospar = std::cos(parint);
  // Moments with respect to cosine.
  v[1] = 2.0 * sinpar / parint;
  v[2] = (8.0 * cospar + (par2 + par2 - 8.0) * sinpar / parint) / par2;
  v[3] = (32.0 * (par2 - 12.0) * cospar + (2.0 * ((par2 - 80.0) * par2 + 192.0) * sinpar) / parint) / (par2 * par2);
  double ac = 8.0 * cospar;
  double as = 24.0 * parint * sinpar;
  if (std::fabs(parint) > 24.0) {
    // Forward recursion.
    double an = 4.0;
    for (int i = 4; i <= 13; ++i) {
      double an2 = an * an;
      v[i] = ((an2 - 4.0) * (2.0 * (par22 - an2 - an2) * v[i - 1] - ac) + as -
              par2 * (an + 1.0) * (an + 2.0) * v[i - 2]) /
             (par2 * (an - 1.0) * (an - 2.0));
      an += 2.0;
    }
  } else {
    // A boundary value problem with one initial value (v[3]) and one end
    // value from an asymptotic formula.
    double an = 6.0;
    for (int k = 1; k <= kNoeq1; ++k) {
      double an2 = an * an;
      d[k] = -2.0 * (an2 - 4.0) * (par22 - an2 - an2);
      d2[k] = (an - 1.0) * (an - 2.0) * par2;
      d1[k + 1] = (an + 3.0) * (an + 4.0) * par2;
      v[k + 3] = as - (an2 - 4.0) * ac;
      an += 2.0;
    }
    double an2 = an * an;
    d[kNoequ] = -2.0 * (an2 - 4.0) * (par22 - an2 - an2);
    v[kNoequ + 3] = as - (an2 - 4.0) * ac;
    v[4] = v[4] - 56.0 * par2 * v[3];
    double ass = parint * sinpar;
    double asap = (((((210.0 * par2 - 1.0) * cospar - (105.0 * par2 - 63.0) * ass) / an2 -
                     (1.0 - 15.0 * par2) * cospar + 15.0 * ass) /
                        an2 -
                    cospar + 3.0 * ass) /
                       an2 -
                   cospar) /
                  an2;
    v[kNoequ + 3] = v[kNoequ + 3] - 2.0 * asap * par2 * (an - 1.0) * (an - 2.0);
    SolveTridiagonal(kNoequ, d1, d, d2, v + 3);
  }
  for (int j = 1; j <= 13; ++j) row[2 * j - 1] = v[j];
  // Moments with respect to sine.
  v[1] = 2.0 * (sinpar - parint * cospar) / par2;
  v[2] = (18.0 - 48.0 / par2) * sinpar / par2 + (-2.0 + 48.0 / par2) * cospar / parint;
  ac = -24.0 * parint * cospar;
  as = -8.0 * sinpar;
  if (std::fabs(parint) > 24.0) {
    double an = 3.0;
    for (int i = 3; i <= 12; ++i) {
      double an2 = an * an;
      v[i] = ((an2 - 4.0) * (2.0 * (par22 - an2 - an2) * v[i - 1] + as) + ac -
              par2 * (an + 1.0) * (an + 2.0) * v[i - 2]) /
             (par2 * (an - 1.0) * (an - 2.0));
      an += 2.0;
    }
  } else {
    double an = 5.0;
    for (int k = 1; k <= kNoeq1; ++k) {
      double an2 = an * an;
      d[k] = -2.0 * (an2 - 4.0) * (par22 - an2 - an2);
      d2[k] = (an - 1.0) * (an - 2.0) * par2;
      d1[k + 1] = (an + 3.0) * (an + 4.0) * par2;
      v[k + 2] = ac + (an2 - 4.0) * as;
      an += 2.0;
    }
    double an2 = an * an;
    d[kNoequ] = -2.0 * (an2 - 4.0) * (par22 - an2 - an2);
    v[kNoequ + 2] = ac + (an2 - 4.0) * as;
    v[3] = v[3] - 42.0 * par2 * v[2];
    double ass = parint * cospar;
    double asap = (((((105.0 * par2 - 63.0) * ass + (210.0 * par2 - 1.0) * sinpar) / an2 +
                     (15.0 * par2 - 1.0) * sinpar - 15.0 * ass) /
                        an2 -
                    3.0 * ass - sinpar) /
                       an2 -
                   sinpar) /
                  an2;
    v[kNoequ + 2] = v[kNoequ + 2] - 2.0 * asap * par2 * (an - 1.0) * (an - 2.0);
    SolveTridiagonal(kNoequ, d1, d, d2, v + 2);
  }
  for (int j = 1; j <= 12; ++j) row[2 * j] = v[j];
}

}  // namespace

bool MomentTable::Allocate(int maxp1Count) {
  try {
    rows.assign(static_cast<std::size_t>(maxp1Count) * 25 + 1, 0.0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  maxp1 = maxp1Count;
  momcom = 0;
  current = 1;
  return true;
}

ClenshawCurtisResult ClenshawCurtis(Integrand& f, double a, double b, double omega, int integr, int nrmom,
                                    bool secondHalf, MomentTable& moments) {
  ClenshawCurtisResult out;
  double centr = 0.5 * (b + a);
  double hlgth = 0.5 * (b - a);
  double parint = omega * hlgth;
  // A small parameter: the 15-point Gauss-Kronrod rule with the weight.
  if (!(std::fabs(parint) > 2.0)) {
    RuleResult rule = Kronrod15Weighted(f, omega, integr, a, b);
    out.rule = rule;
    out.neval = 15;
    return out;
  }
  double conc = hlgth * std::cos(centr * omega);
  double cons = hlgth * std::sin(centr * omega);
  out.rule.resasc = kOflow;
  out.neval = 25;
  // New moments unless this level's are known already.
  if (!(nrmom < moments.momcom || secondHalf)) {
    moments.current = moments.momcom + 1;
    ComputeMoments(parint, moments.Row(moments.current));
  }
  if (nrmom < moments.momcom) moments.current = nrmom + 1;
  if (moments.momcom < moments.maxp1 - 1 && nrmom >= moments.momcom) ++moments.momcom;
  const double* chebmo = moments.Row(moments.current);

  // Chebyshev coefficients of degree 12 and 24 of f.
  double fval[26], cheb12[14], cheb24[26];
  fval[1] = 0.5 * f.Evaluate(centr + hlgth);
  fval[13] = f.Evaluate(centr);
  fval[25] = 0.5 * f.Evaluate(centr - hlgth);
  for (int i = 2; i <= 12; ++i) {
    int isym = 26 - i;
    fval[i] = f.Evaluate(hlgth * kX[i - 1] + centr);
    fval[isym] = f.Evaluate(centr - hlgth * kX[i - 1]);
  }
  ChebyshevCoefficients(fval, cheb12, cheb24);

  double resc12 = cheb12[13] * chebmo[13];
  double ress12 = 0.0;
  int k = 11;
  for (int j = 1; j <= 6; ++j) {
    resc12 += cheb12[k] * chebmo[k];
    ress12 += cheb12[k + 1] * chebmo[k + 1];
    k -= 2;
  }
  double resc24 = cheb24[25] * chebmo[25];
  double ress24 = 0.0;
  double resabs = std::fabs(cheb24[25]);
  k = 23;
  for (int j = 1; j <= 12; ++j) {
    resc24 += cheb24[k] * chebmo[k];
    ress24 += cheb24[k + 1] * chebmo[k + 1];
    resabs += std::fabs(cheb24[k]) + std::fabs(cheb24[k + 1]);
    k -= 2;
  }
  double estc = std::fabs(resc24 - resc12);
  double ests = std::fabs(ress24 - ress12);
  out.rule.resabs = resabs * std::fabs(hlgth);
  if (integr == 2) {
    out.rule.result = conc * ress24 + cons * resc24;
    out.rule.abserr = std::fabs(conc * ests) + std::fabs(cons * estc);
  } else {
    out.rule.result = conc * resc24 - cons * ress24;
    out.rule.abserr = std::fabs(conc * estc) + std::fabs(cons * ests);
  }
  return out;
}

}  // namespace tessarin::engine::quadpack
