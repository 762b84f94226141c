#pragma once
// The plane of a slice: a centre, two unit axes in the plane (right and up
// on the screen), the width it spans and its pixels.

#include <optional>
#include <string_view>

#include "input/vec3.h"
#include "settings/viewparm.h"

namespace tessarin::preview {

using input::Vec3;

enum class SliceBasis { XY, XZ, YZ, View };

// "xy", "xz", "yz" or "view"; nothing for anything else.
std::optional<SliceBasis> ParseSliceBasis(std::string_view text);
std::string_view SliceBasisName(SliceBasis basis);

struct SliceFrame {
  Vec3 centre;
  Vec3 right{1, 0, 0};
  Vec3 up{0, 1, 0};
  double width = 1;   // cm across the picture
  int pixelsWide = 1;
  int pixelsHigh = 1;

  Vec3 Normal() const { return Cross(right, up); }
  double PixelSize() const { return width / pixelsWide; }
  double Height() const { return PixelSize() * pixelsHigh; }
  // The centre of pixel (column, row); row 0 is the top.
  Vec3 PixelCentre(double column, double row) const {
    const double size = PixelSize();
    return centre + ((column + 0.5) * size - 0.5 * width) * right + (0.5 * Height() - (row + 0.5) * size) * up;
  }
  // Where a model point falls, in pixels (fractional), ignoring the normal.
  void PixelOf(const Vec3& point, double& column, double& row) const {
    const Vec3 offset = point - centre;
    column = (Dot(offset, right) + 0.5 * width) / PixelSize() - 0.5;
    row = (0.5 * Height() - Dot(offset, up)) / PixelSize() - 0.5;
  }
};

// The screen's right and up axes of MGED's view from azimuth, elevation and
// twist (degrees); the eye looks along up x right.
void ViewAxes(double azimuth, double elevation, double twist, Vec3& right, Vec3& up);

// The axes of a basis; for View those of the set's azimuth, elevation and
// twist (degrees), looking towards the centre as MGED's view does.
void BasisAxes(SliceBasis basis, const settings::VIEWPARM& set, Vec3& right, Vec3& up);

// The set's view: centre viewCenter, width viewSize.
SliceFrame DefaultSliceFrame(const settings::VIEWPARM& set, SliceBasis basis, int pixelsWide, int pixelsHigh);

}  // namespace tessarin::preview
