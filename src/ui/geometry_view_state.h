#pragma once
// Where the Geometry view looks: the plane's basis, its centre, how wide it
// is and how far the plane has been moved along its normal. Zooming keeps the
// point under the pointer in place; panning moves the picture with the pointer.

#include "preview/slice_frame.h"
#include "settings/viewparm.h"

namespace tessarin::ui {

class GeometryViewState {
 public:
  // Back to the set's view: centre viewCenter, width viewSize, no offset.
  void Reset(const settings::VIEWPARM& set);

  void SetBasis(preview::SliceBasis basis, const settings::VIEWPARM& set);
  preview::SliceBasis Basis() const { return basis_; }
  // The offset along the normal, in cm from the centre.
  void SetDepth(double depth) { depth_ = depth; }
  double Depth() const { return depth_; }
  double Width() const { return width_; }

  // Centres the picture on `point`, the plane through it, width kept.
  void CentreOn(const input::Vec3& point);
  // The point of the plane at the picture's centre.
  input::Vec3 PlaneCentre() const { return centre_ + depth_ * Frame(1, 1).Normal(); }

  preview::SliceFrame Frame(int pixelsWide, int pixelsHigh) const;
  // `factor` > 1 zooms in, around pixel (column, row) of a picture of that size.
  void ZoomAt(double factor, double column, double row, int pixelsWide, int pixelsHigh);
  // Moves the picture by a drag of (columns, rows) pixels.
  void PanBy(double columns, double rows, int pixelsWide);

 private:
  preview::SliceBasis basis_ = preview::SliceBasis::XY;
  input::Vec3 centre_;
  input::Vec3 right_{1, 0, 0}, up_{0, 1, 0};
  double width_ = 1;
  double depth_ = 0;
};

}  // namespace tessarin::ui
