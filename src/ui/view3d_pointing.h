#pragma once
// What lies under a pixel of a 3D picture: the cell and region its ray
// meets first and where; for a click, a point well inside that cell, so
// that the Geometry view, which marks boundaries, names the cell itself.

#include <optional>
#include <string>

#include "input/geometry_model.h"
#include "input/vec3.h"
#include "view3d/picture.h"
#include "view3d/scene.h"

namespace tessarin::ui {

struct View3dHit {
  int cell = -1;        // its index in the model; -1 for the source sphere
  int cellId = 0;       // C<n>
  std::string region;   // "M3", "V0", "M_source"
  input::Vec3 point;    // where the ray enters it
  input::Vec3 inside;   // the middle of the ray's stretch in it
};

// None for the background or a pixel outside the picture.
std::optional<View3dHit> HitAtPixel(const view3d::Scene& scene, const view3d::Picture& picture, int column, int row);

// The cell, its material (from `model` when the cell is still there), the
// region and the hit point.
std::string HitDescription(const std::optional<View3dHit>& hit, const input::GeometryModel& model);

}  // namespace tessarin::ui
