#pragma once
// The view of a parameter set as MGED's raytrace shows it: the view centre
// in the middle of the picture, viewSize across its width (square pixels),
// the eye looking from azimuth and elevation and turned by the twist; with
// a perspective angle (degrees, across the width) the eye sits half the view
// size in front of the centre, without one the rays are parallel and start
// outside the world.

#include <cmath>

#include "input/vec3.h"
#include "raytrace/ray.h"
#include "settings/viewparm.h"

namespace tessarin::view3d {

using input::Vec3;

// The parts of a set that make the view; the window changes them while the
// user turns, pans and zooms, and writes them back on request.
struct ViewSettings {
  Vec3 centre;
  double viewSize = 15;
  double azimuth = 25, elevation = 15, twist = 0;  // degrees
  double perspective = 0;                          // degrees; not positive: none
};

ViewSettings ViewOfSet(const settings::VIEWPARM& set);
void ApplyViewToSet(const ViewSettings& view, settings::VIEWPARM& set);

class Camera {
 public:
  // `standOff`: how far in front of the centre parallel rays start.
  Camera(const ViewSettings& view, int width, int height, double standOff);
  Camera() : Camera(ViewSettings{}, 1, 1, 0) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  [[nodiscard]] bool Perspective() const { return perspective_; }
  const Vec3& ToEye() const { return toEye_; }
  const Vec3& Right() const { return right_; }
  const Vec3& Up() const { return up_; }

  // The ray through a point of the picture in pixels, (0, 0) the top left
  // corner: the centre of pixel (c, r) is (c + 0.5, r + 0.5).
  raytrace::Ray RayThrough(double x, double y) const;
  // Where a model point shows, in the same pixel units, and its distance
  // along the ray through there; false behind the eye.
  [[nodiscard]] bool Project(const Vec3& point, double& x, double& y, double& distance) const;
  // Where a model point shows and its depth: with perspective its distance
  // from the eye along the view direction (which may be negative: behind
  // the eye; distances along rays are this times DepthToDistance), without
  // it the distance along its ray (nothing to scale).
  void ProjectDepth(const Vec3& point, double& x, double& y, double& depth) const {
    const Vec3 offset = point - (perspective_ ? eye_ : centre_);
    const double across = Dot(offset, right_), upwards = Dot(offset, up_), towards = Dot(offset, toEye_);
    if (perspective_) {
      depth = -towards;
      // Behind the eye the picture plane is met backwards; callers cut first.
      const double scale = depth != 0 ? 1 / (depth * pixel_) : 0;
      x = across * scale + 0.5 * width_;
      y = 0.5 * height_ - upwards * scale;
      return;
    }
    x = across / pixel_ + 0.5 * width_;
    y = 0.5 * height_ - upwards / pixel_;
    depth = standOff_ - towards;
  }
  double DepthToDistance(double x, double y) const {
    if (!perspective_) return 1;
    const double across = (x - 0.5 * width_) * pixel_, upwards = (0.5 * height_ - y) * pixel_;
    return std::sqrt(1 + across * across + upwards * upwards);
  }

 private:
  int width_, height_;
  bool perspective_;
  Vec3 centre_, toEye_, right_, up_;
  double pixel_;       // parallel: cm per pixel; perspective: image-plane units per pixel
  Vec3 eye_;           // perspective: the eye
  double standOff_;
};

}  // namespace tessarin::view3d
