#pragma once
// The universal random number generator of Marsaglia and Zaman (RANMAR),
// and the two deviates rand2 draws from it.

namespace tessarin::engine {

class Ranmar {
 public:
  // ij in [0, 31328] and kl in [0, 30081]; other values fall back to 1802
  // and 9373, the seeds also used when drawing before any seeding.
  void Seed(int ij, int kl);
  // One uniform draw in [0, 1) with 24 bits.
  double Draw();
  // A uniform deviate in (0, 1) with 31 bits, from two draws.
  double Uniform();
  // A standard normal deviate (Leva's ratio of uniforms).
  double Normal();

 private:
  double u_[98] = {};  // 1-based
  double c_ = 0, cd_ = 0, cm_ = 0;
  int i97_ = 97, j97_ = 33;
  bool seeded_ = false;
};

}  // namespace tessarin::engine
