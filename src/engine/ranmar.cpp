#include "engine/ranmar.h"

#include <cmath>

namespace tessarin::engine {

void Ranmar::Seed(int ij, int kl) {
  if (ij < 0 || ij > 31328 || kl < 0 || kl > 30081) {
    ij = 1802;
    kl = 9373;
  }
  int i = (ij / 177) % 177 + 2;
  int j = ij % 177 + 2;
  int k = (kl / 169) % 178 + 1;
  int l = kl % 169;
  for (int ii = 1; ii <= 97; ++ii) {
    double s = 0.0;
    double t = 0.5;
    for (int jj = 1; jj <= 24; ++jj) {
      int m = (((i * j) % 179) * k) % 179;
      i = j;
      j = k;
      k = m;
      l = (53 * l + 1) % 169;
      if ((l * m) % 64 >= 32) s += t;
      t *= 0.5;
    }
    u_[ii] = s;
  }
  c_ = 362436.0 / 16777216.0;
  cd_ = 7654321.0 / 16777216.0;
  cm_ = 16777213.0 / 16777216.0;
  i97_ = 97;
  j97_ = 33;
  seeded_ = true;
}

double Ranmar::Draw() {
  if (!seeded_) Seed(1802, 9373);
  double uni = u_[i97_] - u_[j97_];
  if (uni <= 0.0) uni += 1.0;
  u_[i97_] = uni;
  if (--i97_ == 0) i97_ = 97;
  if (--j97_ == 0) j97_ = 97;
  c_ -= cd_;
  if (c_ < 0.0) c_ += cm_;
  uni -= c_;
  if (uni < 0.0) uni += 1.0;
  return uni;
}

double Ranmar::Uniform() {
  // The loop ends with probability near 1 on every pass: the two draws are
  // 24-bit fractions and 0 or exactly 1 are rare.
  for (;;) {
    double u1 = Draw();
    double u2 = Draw();
    double u = u1 + 1e-7 * u2;
    if (u <= 0.0 || u == 1.0) continue;
    if (u > 1.0) u -= 1.0;
    return u;
  }
}

double Ranmar::Normal() {
  for (;;) {
    double u = Draw();
    double v = Draw();
    if (u <= 0.0 || v <= 0.0) {
      u = 1.0;
      v = 1.0;
    }
    v = 1.7156 * (v - 0.5);
    double x = u - 0.449871;
    double y = std::fabs(v) + 0.386595;
    double q = x * x + y * (0.196 * y - 0.25472 * x);
    if (q < 0.27597) return v / u;
    if (q > 0.27846) continue;
    if (v * v <= -4.0 * u * u * std::log(u)) return v / u;
  }
}

}  // namespace tessarin::engine
