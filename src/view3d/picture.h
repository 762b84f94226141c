#pragma once
// A rendered 3D picture: its pixels and, for each, what its ray met first,
// so that a window can say what is under the mouse and a file can list it.

#include <cstdint>
#include <vector>

#include "preview/slice_picture.h"
#include "view3d/camera.h"

namespace tessarin::view3d {

struct PixelHit {
  std::int32_t cell = -1;  // the first cell seen; -1 for none (or the source sphere)
  std::int32_t look = -1;  // its look (Scene::looks); -1: the background
  double distance = 0;     // from the ray's origin to the hit, cm
};

struct Picture {
  Camera camera;            // the rays of the pixels
  preview::RgbImage image;  // row by row from the top
  std::vector<PixelHit> hits;

  const PixelHit& HitAt(int column, int row) const {
    return hits[static_cast<std::size_t>(row) * static_cast<std::size_t>(image.width) +
                static_cast<std::size_t>(column)];
  }
};

}  // namespace tessarin::view3d
