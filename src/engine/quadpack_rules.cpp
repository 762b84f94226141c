#include <algorithm>
#include <cmath>

#include "engine/quadpack_parts.h"

// The Gauss-Kronrod rules. Nodes and weights are the published figures.

namespace tessarin::engine::quadpack {
namespace {

// 21-point Kronrod nodes (xgk21), weights (wgk21) and the weights of the
// embedded 10-point Gauss rule (wg10), which uses the even nodes.
constexpr double kXgk21[11] = {
    0.995657163025808080735527280689003, 0.973906528517171720077964012084452, 0.930157491355708226001207180059508,
    0.865063366688984510732096688423493, 0.780817726586416897063717578345042, 0.679409568299024406234327365114874,
    0.562757134668604683339000099272694, 0.433395394129247190799265943165784, 0.294392862701460198131126603103866,
    0.148874338981631210884826001129720, 0.000000000000000000000000000000000};
constexpr double kWgk21[11] = {
    0.011694638867371874278064396062192, 0.032558162307964727478818972459390, 0.054755896574351996031381300244580,
    0.075039674810919952767043140916190, 0.093125454583697605535065465083366, 0.109387158802297641899210590325805,
    0.123491976262065851077208814642081, 0.134709217311473325928054001771707, 0.142775938577060080797094273138717,
    0.147739104901338491374841515972068, 0.149445554002916905664936468389821};
constexpr double kWg10[5] = {0.066671344308688137593568809893332, 0.149451349150580593145776339657697,
                             0.219086362515982043995534934228163, 0.269266719309996355091226921569469,
                             0.295524224714752870173892994651338};

// 15-point Kronrod nodes and weights; the 7-point Gauss rule uses the even
// nodes (index 2, 4, 6 and the centre, 1-based).
constexpr double kXgk15[8] = {
    0.991455371120812639206854697526329, 0.949107912342758524526189684047851, 0.864864423359769072789712788640926,
    0.741531185599394439863864773280788, 0.586087235467691130294144845693013, 0.405845151377397166906606412076961,
    0.207784955007898467600689403773245, 0.000000000000000000000000000000000};
constexpr double kWgk15[8] = {
    0.022935322010529224963732008058970, 0.063092092629978553290700663189204, 0.104790010322250183839876322541518,
    0.140653259715525918745189590510238, 0.169004726639267902826583426598550, 0.190350578064785409913256402421014,
    0.204432940075298892414161999234649, 0.209482141084727828012999174891714};
constexpr double kWg7[4] = {0.129484966168869693270611432679082, 0.279705391489276667901467771423780,
                            0.381830050505118944950369775488975, 0.417959183673469387755102040816327};

// The error estimate of every rule from the Kronrod-Gauss difference.
double ScaledError(double difference, double resabs, double resasc) {
  double abserr = std::fabs(difference);
  if (resasc != 0.0 && abserr != 0.0) abserr = resasc * std::min(1.0, std::pow(200.0 * abserr / resasc, 1.5));
  if (resabs > kUflow / (50.0 * kEpmach)) abserr = std::max(kEpmach * 50.0 * resabs, abserr);
  return abserr;
}

// resasc of a rule: sum of the Kronrod weights times |f - mean|.
template <int N>
double Asc(const double (&wgk)[N], double fc, double reskh, const double* fv1, const double* fv2) {
  double resasc = wgk[N - 1] * std::fabs(fc - reskh);
  for (int j = 0; j < N - 1; ++j) resasc += wgk[j] * (std::fabs(fv1[j] - reskh) + std::fabs(fv2[j] - reskh));
  return resasc;
}

// A Gauss-Kronrod rule with N Kronrod nodes on each side and the centre:
// the Gauss rule uses the even nodes (1-based), and the centre too when
// gaussCentre is not 0. fx gives the (weighted) integrand.
template <int N, typename Point>
RuleResult GaussKronrod(Point fx, double a, double b, const double (&xgk)[N + 1], const double (&wgk)[N + 1],
                        const double* wg, double gaussCentre) {
  double centr = 0.5 * (a + b);
  double hlgth = 0.5 * (b - a);
  double dhlgth = std::fabs(hlgth);
  double fv1[N], fv2[N];
  double fc = fx(centr);
  double resg = gaussCentre * fc;
  double resk = wgk[N] * fc;
  double resabs = std::fabs(resk);
  // The Gauss nodes first, then the others, as the published rules go.
  for (int pass = 0; pass < 2; ++pass) {
    for (int j = 1 - pass; j < N; j += 2) {
      double absc = hlgth * xgk[j];
      double fval1 = fx(centr - absc);
      double fval2 = fx(centr + absc);
      fv1[j] = fval1;
      fv2[j] = fval2;
      double fsum = fval1 + fval2;
      if (pass == 0) resg += wg[j / 2] * fsum;
      resk += wgk[j] * fsum;
      resabs += wgk[j] * (std::fabs(fval1) + std::fabs(fval2));
    }
  }
  double reskh = resk * 0.5;
  RuleResult out;
  out.resasc = Asc(wgk, fc, reskh, fv1, fv2) * dhlgth;
  out.result = resk * hlgth;
  out.resabs = resabs * dhlgth;
  out.abserr = ScaledError((resk - resg) * hlgth, out.resabs, out.resasc);
  return out;
}

}  // namespace

RuleResult Kronrod21(Integrand& f, double a, double b) {
  return GaussKronrod<10>([&f](double x) { return f.Evaluate(x); }, a, b, kXgk21, kWgk21, kWg10, 0.0);
}

RuleResult Kronrod15Infinite(Integrand& f, double boun, int inf, double a, double b) {
  // The Gauss weights interleaved with zeros, as the mapped rule uses them.
  constexpr double wg[8] = {0.0, kWg7[0], 0.0, kWg7[1], 0.0, kWg7[2], 0.0, kWg7[3]};
  double dinf = std::min(1, inf);
  double centr = 0.5 * (a + b);
  double hlgth = 0.5 * (b - a);
  double tabsc1 = boun + dinf * (1.0 - centr) / centr;
  double fval1 = f.Evaluate(tabsc1);
  if (inf == 2) fval1 += f.Evaluate(-tabsc1);
  double fc = (fval1 / centr) / centr;
  double resg = wg[7] * fc;
  double resk = kWgk15[7] * fc;
  double resabs = std::fabs(resk);
  double fv1[7], fv2[7];
  for (int j = 0; j < 7; ++j) {
    double absc = hlgth * kXgk15[j];
    double absc1 = centr - absc;
    double absc2 = centr + absc;
    double t1 = boun + dinf * (1.0 - absc1) / absc1;
    double t2 = boun + dinf * (1.0 - absc2) / absc2;
    double v1 = f.Evaluate(t1);
    double v2 = f.Evaluate(t2);
    if (inf == 2) v1 += f.Evaluate(-t1);
    if (inf == 2) v2 += f.Evaluate(-t2);
    v1 = (v1 / absc1) / absc1;
    v2 = (v2 / absc2) / absc2;
    fv1[j] = v1;
    fv2[j] = v2;
    double fsum = v1 + v2;
    resg += wg[j] * fsum;
    resk += kWgk15[j] * fsum;
    resabs += kWgk15[j] * (std::fabs(v1) + std::fabs(v2));
  }
  double reskh = resk * 0.5;
  RuleResult out;
  out.resasc = Asc(kWgk15, fc, reskh, fv1, fv2) * hlgth;
  out.result = resk * hlgth;
  out.resabs = resabs * hlgth;
  out.abserr = ScaledError((resk - resg) * hlgth, out.resabs, out.resasc);
  return out;
}

RuleResult Kronrod15Weighted(Integrand& f, double omega, int integr, double a, double b) {
  auto weighted = [&](double x) {
    double fx = f.Evaluate(x);
    return fx * (integr == 1 ? std::cos(omega * x) : std::sin(omega * x));
  };
  return GaussKronrod<7>(weighted, a, b, kXgk15, kWgk15, kWg7, kWg7[3]);
}

}  // namespace tessarin::engine::quadpack
