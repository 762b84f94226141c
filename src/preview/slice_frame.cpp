#include "preview/slice_frame.h"

#include <cmath>
#include <numbers>

namespace tessarin::preview {

std::optional<SliceBasis> ParseSliceBasis(std::string_view text) {
  for (SliceBasis basis : {SliceBasis::XY, SliceBasis::XZ, SliceBasis::YZ, SliceBasis::View})
    if (SliceBasisName(basis) == text) return basis;
  return std::nullopt;
}

std::string_view SliceBasisName(SliceBasis basis) {
  switch (basis) {
    case SliceBasis::XY: return "xy";
    case SliceBasis::XZ: return "xz";
    case SliceBasis::YZ: return "yz";
    case SliceBasis::View: return "view";
  }
  return "xy";
}

void ViewAxes(double azimuth, double elevation, double twist, Vec3& right, Vec3& up) {
  const double degree = std::numbers::pi / 180;
  azimuth *= degree;
  elevation *= degree;
  twist *= degree;
  // Towards the eye; at azimuth and elevation 0 the eye looks along -x with z up.
  const Vec3 toEye{std::cos(elevation) * std::cos(azimuth), std::cos(elevation) * std::sin(azimuth),
                   std::sin(elevation)};
  const Vec3 plainRight{-std::sin(azimuth), std::cos(azimuth), 0};
  const Vec3 plainUp = Cross(toEye, plainRight);
  right = std::cos(twist) * plainRight + std::sin(twist) * plainUp;
  up = std::cos(twist) * plainUp - std::sin(twist) * plainRight;
}

void BasisAxes(SliceBasis basis, const settings::VIEWPARM& set, Vec3& right, Vec3& up) {
  switch (basis) {
    case SliceBasis::XY: right = {1, 0, 0}; up = {0, 1, 0}; return;
    case SliceBasis::XZ: right = {1, 0, 0}; up = {0, 0, 1}; return;
    case SliceBasis::YZ: right = {0, 1, 0}; up = {0, 0, 1}; return;
    case SliceBasis::View: break;
  }
  ViewAxes(set.azimuth, set.elevation, set.twist, right, up);
}

SliceFrame DefaultSliceFrame(const settings::VIEWPARM& set, SliceBasis basis, int pixelsWide, int pixelsHigh) {
  SliceFrame frame;
  frame.centre = {set.viewCenter.x, set.viewCenter.y, set.viewCenter.z};
  BasisAxes(basis, set, frame.right, frame.up);
  frame.width = set.viewSize > 0 ? set.viewSize : 1;
  frame.pixelsWide = pixelsWide > 0 ? pixelsWide : 1;
  frame.pixelsHigh = pixelsHigh > 0 ? pixelsHigh : 1;
  return frame;
}

}  // namespace tessarin::preview
