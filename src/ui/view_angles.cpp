#include "ui/view_angles.h"

#include <cmath>

namespace tessarin::ui {

double StepWrappingAngle(double value, int steps) {
  double result = value + kAngleStep * steps;
  if (result >= 360) result -= 720;
  if (result < -360) result += 720;
  return result;
}

double StepElevation(double value, int steps) {
  double result = value + kAngleStep * steps;
  if (std::abs(std::abs(result) - 90) <= 1e-8 * 90) return std::copysign(90.0, result);
  if (result > 90 || result < -90) return value;
  return result;
}

}  // namespace tessarin::ui
