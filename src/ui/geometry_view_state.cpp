#include "ui/geometry_view_state.h"

#include <algorithm>
#include <cmath>

namespace tessarin::ui {

namespace {

constexpr double kNarrowest = 1e-9;  // cm; no zooming below this
constexpr double kWidest = 1e12;

}  // namespace

void GeometryViewState::Reset(const settings::VIEWPARM& set) {
  centre_ = {set.viewCenter.x, set.viewCenter.y, set.viewCenter.z};
  width_ = set.viewSize > 0 ? set.viewSize : 1;
  depth_ = 0;
  preview::BasisAxes(basis_, set, right_, up_);
}

void GeometryViewState::SetBasis(preview::SliceBasis basis, const settings::VIEWPARM& set) {
  basis_ = basis;
  preview::BasisAxes(basis_, set, right_, up_);
  depth_ = 0;
}

preview::SliceFrame GeometryViewState::Frame(int pixelsWide, int pixelsHigh) const {
  preview::SliceFrame frame;
  frame.right = right_;
  frame.up = up_;
  frame.width = width_;
  frame.pixelsWide = std::max(1, pixelsWide);
  frame.pixelsHigh = std::max(1, pixelsHigh);
  frame.centre = centre_ + depth_ * frame.Normal();
  return frame;
}

void GeometryViewState::CentreOn(const input::Vec3& point) {
  centre_ = point;
  depth_ = 0;
}

void GeometryViewState::ZoomAt(double factor, double column, double row, int pixelsWide, int pixelsHigh) {
  if (!(factor > 0) || !std::isfinite(factor)) return;
  const preview::SliceFrame before = Frame(pixelsWide, pixelsHigh);
  const input::Vec3 fixed = before.PixelCentre(column - 0.5, row - 0.5);
  const double width = std::clamp(width_ / factor, kNarrowest, kWidest);
  const double scale = width / width_;
  // The fixed point keeps its place on the screen.
  centre_ = fixed + scale * (centre_ - fixed);
  width_ = width;
}

void GeometryViewState::PanBy(double columns, double rows, int pixelsWide) {
  const double pixel = width_ / std::max(1, pixelsWide);
  centre_ = centre_ - (columns * pixel) * right_ + (rows * pixel) * up_;
}

}  // namespace tessarin::ui
