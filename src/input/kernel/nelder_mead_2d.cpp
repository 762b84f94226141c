#include "input/kernel/nelder_mead_2d.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace tessarin::input::kernel {

namespace {

struct Vertex {
  Point2 at;
  double value = 0;
};

using Simplex = std::array<Vertex, 3>;

constexpr double kReflection = 1, kExpansion = 2, kContraction = 0.5, kShrink = 0.5;

// centre + factor·(centre − from): reflection for factor 1, expansion for 2,
// contraction towards `from` for −0.5.
Point2 Along(const Point2& centre, const Point2& from, double factor) {
  return {centre.a + factor * (centre.a - from.a), centre.b + factor * (centre.b - from.b)};
}

bool Agree(double x, double y, double relative) { return std::fabs(x - y) <= relative * std::max(std::fabs(x), std::fabs(y)); }

std::optional<NelderMeadStop> StopReason(const Simplex& s, const NelderMeadOptions& options) {
  if (s[0].value < options.stopBelow) return NelderMeadStop::BelowTarget;
  double lowA = s[0].at.a, highA = lowA, lowB = s[0].at.b, highB = lowB;
  for (const Vertex& v : s) {
    if (std::fabs(v.at.a) >= options.coordinateLimit || std::fabs(v.at.b) >= options.coordinateLimit)
      return NelderMeadStop::CoordinateLimit;
    lowA = std::min(lowA, v.at.a), highA = std::max(highA, v.at.a);
    lowB = std::min(lowB, v.at.b), highB = std::max(highB, v.at.b);
  }
  if (highA - lowA <= options.spanA && highB - lowB <= options.spanB) return NelderMeadStop::SimplexSmall;
  for (int i = 0; i < 3; ++i)
    for (int j = i + 1; j < 3; ++j)
      if (Agree(s[i].at.a, s[j].at.a, options.relativeAgreement) && Agree(s[i].at.b, s[j].at.b, options.relativeAgreement))
        return NelderMeadStop::VerticesAgree;
  return std::nullopt;
}

void SortByValue(Simplex& s) {
  std::sort(s.begin(), s.end(), [](const Vertex& x, const Vertex& y) { return x.value < y.value; });
}

}  // namespace

NelderMeadResult MinimiseNelderMead2D(const std::function<double(const Point2&)>& f, const Point2& start,
                                      const Point2& steps, const NelderMeadOptions& options) {
  auto vertex = [&f](const Point2& p) { return Vertex{p, f(p)}; };
  const Vertex alongB = vertex({start.a, start.b + steps.b});
  const Vertex alongA = vertex({start.a + steps.a, start.b});
  Simplex simplex{vertex(start), vertex({start.a + steps.a, start.b + steps.b}),
                  alongB.value <= alongA.value ? alongB : alongA};
  SortByValue(simplex);

  NelderMeadResult result;
  for (;;) {
    if (auto stop = StopReason(simplex, options)) {
      result.stop = *stop;
      break;
    }
    if (result.iterations >= options.maxIterations) {
      result.stop = NelderMeadStop::IterationLimit;
      break;
    }
    ++result.iterations;
    Vertex& best = simplex[0];
    Vertex& secondWorst = simplex[1];
    Vertex& worst = simplex[2];
    const Point2 centre{(best.at.a + secondWorst.at.a) / 2, (best.at.b + secondWorst.at.b) / 2};
    const Vertex reflected = vertex(Along(centre, worst.at, kReflection));
    if (reflected.value < best.value) {
      const Vertex expanded = vertex(Along(centre, worst.at, kExpansion));
      worst = expanded.value < reflected.value ? expanded : reflected;
    } else if (reflected.value < secondWorst.value) {
      worst = reflected;
    } else {
      // Contract towards the better of the worst vertex and its reflection.
      const Vertex& towards = reflected.value < worst.value ? reflected : worst;
      const Vertex contracted = vertex(Along(centre, towards.at, -kContraction));
      if (contracted.value < towards.value) {
        worst = contracted;
      } else {
        for (int i = 1; i < 3; ++i)
          simplex[i] = vertex({best.at.a + kShrink * (simplex[i].at.a - best.at.a),
                               best.at.b + kShrink * (simplex[i].at.b - best.at.b)});
      }
    }
    SortByValue(simplex);
  }
  result.best = simplex[0].at;
  result.value = simplex[0].value;
  return result;
}

}  // namespace tessarin::input::kernel
