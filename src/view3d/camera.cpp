#include "view3d/camera.h"

#include <cmath>
#include <numbers>

#include "preview/slice_frame.h"

namespace tessarin::view3d {

ViewSettings ViewOfSet(const settings::VIEWPARM& set) {
  ViewSettings view;
  view.centre = {set.viewCenter.x, set.viewCenter.y, set.viewCenter.z};
  view.viewSize = set.viewSize;
  view.azimuth = set.azimuth;
  view.elevation = set.elevation;
  view.twist = set.twist;
  view.perspective = set.perspective;
  return view;
}

void ApplyViewToSet(const ViewSettings& view, settings::VIEWPARM& set) {
  set.viewCenter = {view.centre.x, view.centre.y, view.centre.z};
  set.viewSize = view.viewSize;
  set.azimuth = view.azimuth;
  set.elevation = view.elevation;
  set.twist = view.twist;
  set.perspective = view.perspective;
}

Camera::Camera(const ViewSettings& view, int width, int height, double standOff)
    : width_(width > 0 ? width : 1),
      height_(height > 0 ? height : 1),
      perspective_(view.perspective > 0 && view.perspective < 180),
      centre_(view.centre),
      standOff_(standOff) {
  preview::ViewAxes(view.azimuth, view.elevation, view.twist, right_, up_);
  toEye_ = Cross(right_, up_);
  const double size = view.viewSize > 0 ? view.viewSize : 1;
  if (perspective_) {
    // The full width spans the perspective angle on a plane at distance 1.
    pixel_ = 2 * std::tan(view.perspective * std::numbers::pi / 360) / width_;
    eye_ = centre_ + 0.5 * size * toEye_;
  } else {
    pixel_ = size / width_;
  }
}

raytrace::Ray Camera::RayThrough(double x, double y) const {
  const double across = (x - 0.5 * width_) * pixel_, upwards = (0.5 * height_ - y) * pixel_;
  if (perspective_) return {eye_, Unit(across * right_ + upwards * up_ - toEye_)};
  return {centre_ + standOff_ * toEye_ + across * right_ + upwards * up_, -1.0 * toEye_};
}

bool Camera::Project(const Vec3& point, double& x, double& y, double& distance) const {
  double depth = 0;
  ProjectDepth(point, x, y, depth);
  if (perspective_ && !(depth > 0)) return false;
  distance = depth * DepthToDistance(x, y);
  return true;
}

}  // namespace tessarin::view3d
