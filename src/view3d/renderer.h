#pragma once
// A 3D picture of a scene: every pixel's ray traced through the cells, the
// tracks drawn in with their depth, on a few threads of its own. Nothing
// here knows of a window: the window and tessarin-cli render both call it.

#include <atomic>
#include <cstdint>
#include <vector>

#include "view3d/camera.h"
#include "view3d/picture.h"
#include "view3d/pixel_tracer.h"
#include "view3d/render_options.h"
#include "view3d/scene.h"
#include "view3d/track_raster.h"
#include "view3d/track_scene.h"

namespace tessarin::view3d {

enum class [[nodiscard]] RenderOutcome { Finished, Cancelled };

// The memory a picture with tracks needs besides the picture itself; a
// caller that renders picture after picture keeps one and passes it in.
struct RenderWorkspace {
  std::vector<PixelShade> shades;                  // per pixel
  std::vector<std::vector<PixelLayer>> rowLayers;  // per row
  std::vector<std::uint32_t> firstLayer;           // per pixel, in its row's layers
  std::vector<TrackFragment> fragments;            // per pixel
  TrackRaster raster;
};

// Renders `scene` seen from `view` into `picture` (width x height pixels),
// with `tracks` when given. The threads end before it returns; `cancel`,
// when given, is looked at after every row (a cancelled picture is
// unfinished).
RenderOutcome RenderPicture(const Scene& scene, const ViewSettings& view, int width, int height,
                            const TrackScene* tracks, const RenderOptions& options, const std::atomic<bool>* cancel,
                            Picture& picture, RenderWorkspace* workspace = nullptr);

}  // namespace tessarin::view3d
