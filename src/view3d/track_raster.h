#pragma once
// The tracks of a picture: every polyline drawn one pixel wide, keeping in
// each pixel the nearest track point and its colour. Distances are along
// the pixels' rays, so they compare with the regions' layers.

#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <vector>

#include "view3d/camera.h"
#include "view3d/track_scene.h"

namespace tessarin::view3d {

struct TrackFragment {
  float distance = INFINITY;  // none: infinite
  std::array<std::uint8_t, 3> colour{};
};

// What drawing tracks needs besides the picture; kept from picture to
// picture so that the memory is had only once.
struct TrackRaster {
  struct ScreenPoint {
    float x, y, depth;  // see Camera::ProjectDepth
  };
  std::vector<ScreenPoint> screen;                        // per track point
  std::vector<std::vector<TrackFragment>> threadPixels;  // the second thread's on
};

// Draws into `fragments` (row by row from the top, resized to the picture).
// The tracks are shared out among `threads` threads that end before it
// returns, each drawing into pixels of its own, which are then joined.
// False when `cancel` was set meanwhile.
[[nodiscard]] bool RasterizeTracks(const TrackScene& tracks, const Camera& camera, int threads, const std::atomic<bool>* cancel,
                     TrackRaster& raster, std::vector<TrackFragment>& fragments);

}  // namespace tessarin::view3d
