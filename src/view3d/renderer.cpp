#include "view3d/renderer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/worker_threads.h"

namespace tessarin::view3d {

namespace {

std::uint8_t Byte(float value) { return static_cast<std::uint8_t>(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f); }

void Store(const Colour& colour, std::uint8_t* pixel) {
  for (std::size_t k = 0; k < 3; ++k) pixel[k] = Byte(colour[k]);
}

Colour Over(const Colour& front, const Colour& transmission, const Rgb& behind) {
  Colour mixed = front;
  for (std::size_t k = 0; k < 3; ++k) mixed[k] += transmission[k] * static_cast<float>(behind[k]) / 255.0f;
  return mixed;
}

void DrawTracksIn(const RenderWorkspace& depths, const Rgb& background, bool throughCells, Picture& picture) {
  const auto width = static_cast<std::size_t>(picture.image.width);
  for (std::size_t pixel = 0; pixel < depths.shades.size(); ++pixel) {
    const PixelShade& shade = depths.shades[pixel];
    const TrackFragment& fragment = depths.fragments[pixel];
    Colour colour = Over(shade.colour, shade.transmission, background);
    if (std::isfinite(fragment.distance)) {
      const std::vector<PixelLayer>& layers = depths.rowLayers[pixel / width];
      const std::size_t end = pixel % width + 1 < width ? depths.firstLayer[pixel + 1] : layers.size();
      Colour front = shade.colour;
      Colour transmission = shade.transmission;
      for (std::size_t k = depths.firstLayer[pixel]; k < end; ++k) {
        if (!throughCells && layers[k].depth <= fragment.distance) continue;
        front = layers[k].before;
        transmission = layers[k].transmission;
        break;
      }
      colour = Over(front, transmission, fragment.colour);
    }
    Store(colour, picture.image.pixels.data() + 3 * pixel);
  }
}

}  // namespace

RenderOutcome RenderPicture(const Scene& scene, const ViewSettings& view, int width, int height,
                            const TrackScene* tracks, const RenderOptions& options, const std::atomic<bool>* cancel,
                            Picture& picture, RenderWorkspace* workspace) {
  picture.camera = Camera(view, width, height, StandOff(view, scene.maximumObjectSizeRatio));
  const Camera& camera = picture.camera;
  const auto pixels = static_cast<std::size_t>(camera.Width()) * static_cast<std::size_t>(camera.Height());
  picture.image.width = camera.Width();
  picture.image.height = camera.Height();
  picture.image.pixels.assign(3 * pixels, 0);
  picture.hits.assign(pixels, PixelHit{});

  const bool withTracks = tracks != nullptr && !tracks->lines.empty();
  RenderWorkspace ownWorkspace;
  RenderWorkspace& depths = workspace ? *workspace : ownWorkspace;
  if (withTracks) {
    depths.shades.resize(pixels);
    depths.rowLayers.resize(static_cast<std::size_t>(camera.Height()));
    for (std::vector<PixelLayer>& layers : depths.rowLayers) layers.clear();
    depths.firstLayer.resize(pixels);
  }
  std::atomic<int> nextRow{0};
  std::atomic<bool> cancelled{false};
  const int threads = platform::ThreadCount(options.threads);
  platform::RunOnThreads(threads, [&](int) {
    PixelTracer tracer(scene, camera, view, options);
    for (int row = nextRow++; row < camera.Height(); row = nextRow++) {
      if (cancel && cancel->load(std::memory_order_relaxed)) {
        cancelled = true;
        return;
      }
      std::vector<PixelLayer>* layers = withTracks ? &depths.rowLayers[static_cast<std::size_t>(row)] : nullptr;
      for (int column = 0; column < camera.Width(); ++column) {
        const std::size_t pixel = static_cast<std::size_t>(row) * static_cast<std::size_t>(camera.Width()) +
                                  static_cast<std::size_t>(column);
        if (layers) depths.firstLayer[pixel] = static_cast<std::uint32_t>(layers->size());
        const PixelShade shade = tracer.Trace(column + 0.5, row + 0.5, layers);
        picture.hits[pixel] = shade.hit;
        if (withTracks) depths.shades[pixel] = shade;
        else Store(Over(shade.colour, shade.transmission, scene.background), picture.image.pixels.data() + 3 * pixel);
      }
    }
  });
  if (cancelled) return RenderOutcome::Cancelled;
  if (!withTracks) return RenderOutcome::Finished;
  if (!RasterizeTracks(*tracks, camera, threads, cancel, depths.raster, depths.fragments))
    return RenderOutcome::Cancelled;
  DrawTracksIn(depths, scene.background, options.tracksThroughCells, picture);
  return RenderOutcome::Finished;
}

}  // namespace tessarin::view3d
