#include "ui/view3d_state.h"

#include <algorithm>
#include <cmath>

#include "settings/ranges.h"

namespace tessarin::ui {

namespace {

constexpr double kDegreesPerPixel = 0.5;
constexpr double kFocusedBoxShare = 3;  // the view is this many times a chosen fault's box
constexpr double kDeepestFocus = 20;    // a focus shrinks the view size at most this many times

// Azimuth kept within the set's range, so that the field takes it back.
double WrapAzimuth(double degrees) {
  const double wrapped = std::remainder(degrees, 360.0);
  return wrapped == -180 ? 180 : wrapped;
}

}  // namespace

void View3dState::OrbitBy(double columns, double rows) {
  if (!std::isfinite(columns) || !std::isfinite(rows)) return;
  // The model follows the pointer: dragging right turns the eye to the left.
  view_.azimuth = WrapAzimuth(view_.azimuth - kDegreesPerPixel * columns);
  view_.elevation = std::clamp(view_.elevation + kDegreesPerPixel * rows, settings::kElevationRange.min,
                               settings::kElevationRange.max);
}

void View3dState::ZoomBy(double factor) {
  if (!(factor > 0) || !std::isfinite(factor)) return;
  view_.viewSize = std::clamp(view_.viewSize / factor, settings::kViewSizeRange.min, settings::kViewSizeRange.max);
}

void View3dState::PanBy(double columns, double rows, int pixelsWide) {
  if (!std::isfinite(columns) || !std::isfinite(rows)) return;
  const view3d::Camera camera(view_, std::max(1, pixelsWide), 1, 0);
  const double pixel = view_.viewSize / camera.Width();
  view_.centre = view_.centre - (columns * pixel) * camera.Right() + (rows * pixel) * camera.Up();
}

void View3dState::FocusOn(const input::Vec3& at, const preview::Box3& box) {
  if (!std::isfinite(at.x) || !std::isfinite(at.y) || !std::isfinite(at.z)) return;
  view_.centre = at;
  const double widest =
      box.Empty() ? 0 : std::max({box.high.x - box.low.x, box.high.y - box.low.y, box.high.z - box.low.z});
  const double fitting = std::isfinite(widest) ? kFocusedBoxShare * widest : 0;
  view_.viewSize =
      std::min(view_.viewSize, std::max({fitting, view_.viewSize / kDeepestFocus, settings::kViewSizeRange.min}));
}

std::optional<std::pair<double, double>> View3dState::PixelOf(const input::Vec3& point, int width, int height) const {
  const view3d::Camera camera(view_, std::max(1, width), std::max(1, height), 0);
  double x = 0, y = 0, distance = 0;
  if (!camera.Project(point, x, y, distance)) return std::nullopt;
  return std::pair{x, y};
}

bool View3dState::ApplyTo(settings::VIEWPARM& set) const {
  const settings::Vector3 centre{view_.centre.x, view_.centre.y, view_.centre.z};
  if (set.azimuth == view_.azimuth && set.elevation == view_.elevation && set.viewSize == view_.viewSize &&
      set.viewCenter == centre)
    return false;
  set.azimuth = view_.azimuth;
  set.elevation = view_.elevation;
  set.viewSize = view_.viewSize;
  set.viewCenter = centre;
  return true;
}

}  // namespace tessarin::ui
