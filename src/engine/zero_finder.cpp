#include "engine/zero_finder.h"

#include <algorithm>
#include <cmath>

namespace tessarin::engine {
namespace {
constexpr double kEr = 2.0 * 2.220446049250313e-16;  // twice the relative spacing
bool SameSign(double x, double y) { return std::copysign(1.0, x) == std::copysign(1.0, y); }
}  // namespace

double ZeroFinder::Start(double b, double c, double r, double re, double ae) {
  b_ = b;
  c_ = c;
  z_ = r;
  if (r <= std::min(b, c) || r >= std::max(b, c)) z_ = c;
  rw_ = std::max(re, kEr);
  aw_ = std::max(ae, 0.0);
  ic_ = 0;
  iflag_ = 0;
  wait_ = Wait::kFz;
  return z_;
}

bool ZeroFinder::Step(double fx, double& next) {
  switch (wait_) {
    case Wait::kFz:
      fz_ = fx;
      fc_ = fz_;
      wait_ = Wait::kFb;
      next = b_;
      return true;
    case Wait::kFb:
      fb_ = fx;
      kount_ = 2;
      if (!SameSign(fz_, fb_)) {
        c_ = z_;
      } else if (z_ != c_) {
        wait_ = Wait::kFc;
        next = c_;
        return true;
      }
      break;
    case Wait::kFc:
      fc_ = fx;
      kount_ = 3;
      if (!SameSign(fz_, fc_)) {
        b_ = z_;
        fb_ = fz_;
      }
      break;
    case Wait::kIterate:
      fb_ = fx;
      ++kount_;
      // Interpolation or extrapolation next?
      if (SameSign(fb_, fc_)) {
        c_ = a_;
        fc_ = fa_;
      }
      return Iterate(next);
  }
  a_ = c_;
  fa_ = fc_;
  acbs_ = std::fabs(b_ - c_);
  fx_ = std::max(std::fabs(fb_), std::fabs(fc_));
  return Iterate(next);
}

bool ZeroFinder::Iterate(double& next) {
  if (std::fabs(fc_) < std::fabs(fb_)) {
    // Interchange so that b has the smaller function value.
    a_ = b_;
    fa_ = fb_;
    b_ = c_;
    fb_ = fc_;
    c_ = a_;
    fc_ = fa_;
  }
  double cmb = 0.5 * (c_ - b_);
  double acmb = std::fabs(cmb);
  double tol = rw_ * std::fabs(b_) + aw_;
  if (acmb <= tol) {
    if (SameSign(fb_, fc_)) return Finish(4);
    if (std::fabs(fb_) > fx_) return Finish(3);
    return Finish(1);
  }
  if (fb_ == 0.0) return Finish(2);
  if (kount_ >= 500) return Finish(5);
  // The new iterate is b + p/q with p >= 0; the implicit form avoids
  // overflow.
  double p = (b_ - a_) * fb_;
  double q = fa_ - fb_;
  if (p < 0.0) {
    p = -p;
    q = -q;
  }
  a_ = b_;
  fa_ = fb_;
  ++ic_;
  bool bisect = false;
  if (ic_ >= 4) {
    // Not enough reduction of the bracketing interval: bisect.
    if (8.0 * acmb >= acbs_) {
      bisect = true;
    } else {
      ic_ = 0;
      acbs_ = acmb;
    }
  }
  if (!bisect && p <= std::fabs(q) * tol) {
    b_ += std::copysign(tol, cmb);  // too small a change: step by the tolerance
  } else if (!bisect && p < cmb * q) {
    b_ += p / q;  // secant rule
  } else {
    b_ += cmb;
  }
  wait_ = Wait::kIterate;
  next = b_;
  return true;
}

}  // namespace tessarin::engine
