#pragma once
// Downhill-simplex (Nelder-Mead) minimisation of a function of two variables,
// with the stopping rules the surface-pair kernel needs: a target value that
// ends the search early, a simplex size per coordinate, an iteration limit,
// runaway coordinates and a collapsed simplex.

#include <functional>

namespace tessarin::input::kernel {

struct Point2 {
  double a = 0, b = 0;
};

struct NelderMeadOptions {
  double stopBelow = 0;         // a value below this ends the search at once
  double spanA = 0, spanB = 0;  // the simplex is small enough when it spans no more
  int maxIterations = 100;
  double coordinateLimit = 1e300;      // a coordinate this large ends the search
  double relativeAgreement = 1e-14;    // two vertices this close (relatively) end it
};

enum class NelderMeadStop { BelowTarget, SimplexSmall, IterationLimit, CoordinateLimit, VerticesAgree };

struct NelderMeadResult {
  Point2 best;
  double value = 0;
  int iterations = 0;
  NelderMeadStop stop = NelderMeadStop::IterationLimit;
};

// Starts from the simplex (start), (start + steps) and the better of
// (start.a, start.b + steps.b) and (start.a + steps.a, start.b).
NelderMeadResult MinimiseNelderMead2D(const std::function<double(const Point2&)>& f, const Point2& start,
                                      const Point2& steps, const NelderMeadOptions& options);

}  // namespace tessarin::input::kernel
