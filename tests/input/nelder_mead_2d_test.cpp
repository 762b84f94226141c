#include <gtest/gtest.h>

#include <cmath>

#include "input/kernel/nelder_mead_2d.h"

namespace tessarin::input::kernel {
namespace {

NelderMeadOptions Options(double stopBelow, double span, int iterations = 100) {
  NelderMeadOptions o;
  o.stopBelow = stopBelow;
  o.spanA = o.spanB = span;
  o.maxIterations = iterations;
  return o;
}

TEST(NelderMead2D, FindsTheMinimumOfABowl) {
  int calls = 0;
  auto bowl = [&calls](const Point2& x) {
    ++calls;
    return (x.a - 3) * (x.a - 3) + 4 * (x.b + 1) * (x.b + 1) + 2;
  };
  const NelderMeadResult r = MinimiseNelderMead2D(bowl, {0, 0}, {1, 0.5}, Options(-1e300, 1e-9, 1000));
  EXPECT_EQ(r.stop, NelderMeadStop::SimplexSmall);
  EXPECT_NEAR(r.best.a, 3, 1e-6);
  EXPECT_NEAR(r.best.b, -1, 1e-6);
  EXPECT_NEAR(r.value, 2, 1e-12);
  EXPECT_GT(calls, 3);
}

TEST(NelderMead2D, StopsAsSoonAsTheValueDropsBelowTheTarget) {
  auto slope = [](const Point2& x) { return x.a + x.b; };
  const NelderMeadResult r = MinimiseNelderMead2D(slope, {10, 0}, {1, 1}, Options(-1e-3, 0));
  EXPECT_EQ(r.stop, NelderMeadStop::BelowTarget);
  EXPECT_LT(r.value, -1e-3);
  EXPECT_LT(r.iterations, 100);
}

TEST(NelderMead2D, StopsAtTheIterationLimit) {
  auto slope = [](const Point2& x) { return x.a; };
  const NelderMeadResult r = MinimiseNelderMead2D(slope, {0, 0}, {1, 1}, Options(-1e300, 0, 7));
  EXPECT_EQ(r.stop, NelderMeadStop::IterationLimit);
  EXPECT_EQ(r.iterations, 7);
}

TEST(NelderMead2D, StopsWhenACoordinateRunsAway) {
  auto slope = [](const Point2& x) { return x.a; };
  const NelderMeadResult r = MinimiseNelderMead2D(slope, {-1e299, 0}, {1e299, 1}, Options(-INFINITY, 0, 100000));
  EXPECT_EQ(r.stop, NelderMeadStop::CoordinateLimit);
  EXPECT_TRUE(std::isfinite(r.value));
}

TEST(NelderMead2D, StopsWhenTheSimplexHasCollapsed) {
  // Without extent along a the first simplex has two equal vertices.
  auto bowl = [](const Point2& x) { return x.a * x.a + x.b * x.b; };
  const NelderMeadResult r = MinimiseNelderMead2D(bowl, {1, 0}, {0, 0.5}, Options(-1, 0));
  EXPECT_EQ(r.stop, NelderMeadStop::VerticesAgree);
  EXPECT_EQ(r.iterations, 0);
}

TEST(NelderMead2D, ChoosesTheBetterThirdStartingVertex) {
  // Only the vertex (start.a + step, start.b) reaches below the target.
  auto f = [](const Point2& x) { return x.b == 0 && x.a > 0.5 ? -1.0 : 1.0; };
  const NelderMeadResult r = MinimiseNelderMead2D(f, {0, 0}, {1, 1}, Options(-0.5, 0));
  EXPECT_EQ(r.stop, NelderMeadStop::BelowTarget);
  EXPECT_EQ(r.iterations, 0);
  EXPECT_DOUBLE_EQ(r.best.a, 1);
}

}  // namespace
}  // namespace tessarin::input::kernel
