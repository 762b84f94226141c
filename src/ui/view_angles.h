#pragma once
// The spin buttons of the view angles: 5 degrees a step.

namespace tessarin::ui {

inline constexpr double kAngleStep = 5;

// Azimuth and twist: reaching +-360 wraps by 720, so 355 + 5 gives -360.
double StepWrappingAngle(double value, int steps);

// Elevation: a step beyond +-90 is ignored unless it lands on +-90 within a
// relative 1e-8 (then it becomes exactly +-90).
double StepElevation(double value, int steps);

}  // namespace tessarin::ui
