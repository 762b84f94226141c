#pragma once
// The Clenshaw-Curtis rule with Chebyshev moments used by the oscillatory
// integrator, and the table of moments it keeps per bisection level.

#include <vector>

#include "engine/quadpack_parts.h"

namespace tessarin::engine::quadpack {

struct MomentTable {
  std::vector<double> rows;  // maxp1 rows of 25 moments, 1-based
  int maxp1 = 0;
  int momcom = 0;   // levels computed so far
  int current = 1;  // the row the last rule used
  [[nodiscard]] bool Allocate(int maxp1Count);
  // Row m, indexable 1..25.
  double* Row(int m) { return rows.data() + static_cast<std::size_t>(m - 1) * 25; }
};

struct ClenshawCurtisResult {
  RuleResult rule;
  int neval = 0;
};

// omega is |omega|; nrmom is the bisection level of (a, b); secondHalf when
// (a, b) is the second half of a bisection, whose moments the first half
// computed.
ClenshawCurtisResult ClenshawCurtis(Integrand& f, double a, double b, double omega, int integr, int nrmom,
                                    bool secondHalf, MomentTable& moments);

}  // namespace tessarin::engine::quadpack
