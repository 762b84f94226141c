#pragma once
// Where the 3D view looks and how the mouse changes it: dragging turns the
// eye around the view centre (azimuth and elevation), the wheel zooms by
// changing the view size, a drag with Shift moves the centre with the
// pointer. The set keeps its own view until "Apply to the set".

#include <optional>
#include <utility>

#include "preview/box3.h"
#include "settings/viewparm.h"
#include "view3d/camera.h"

namespace tessarin::ui {

class View3dState {
 public:
  // Back to the set's view.
  void Reset(const settings::VIEWPARM& set) { view_ = view3d::ViewOfSet(set); }
  const view3d::ViewSettings& View() const { return view_; }

  // A drag of (columns, rows) pixels.
  void OrbitBy(double columns, double rows);
  // `factor` > 1 zooms in.
  void ZoomBy(double factor);
  // A drag of (columns, rows) pixels on a picture `pixelsWide` across.
  void PanBy(double columns, double rows, int pixelsWide);

  // Looks at `at` from the same direction, close enough that `box` fills
  // about a third of the picture, but never closer than a twentieth of
  // the view size before, and never farther.
  void FocusOn(const input::Vec3& at, const preview::Box3& box);
  // Where `point` shows in a picture of the view `width` x `height`
  // pixels, (0, 0) its top left corner; none behind the eye.
  std::optional<std::pair<double, double>> PixelOf(const input::Vec3& point, int width, int height) const;

  // Writes azimuth, elevation, view size and view centre into `set`;
  // false when they were the set's already.
  [[nodiscard]] bool ApplyTo(settings::VIEWPARM& set) const;

 private:
  view3d::ViewSettings view_;
};

}  // namespace tessarin::ui
