#include "view3d/track_raster.h"

#include <algorithm>

#include "platform/worker_threads.h"

namespace tessarin::view3d {

namespace {

using ScreenPoint = TrackRaster::ScreenPoint;

// Perspective: points nearer to the eye's plane than this (cm) are cut off.
constexpr double kNearest = 1e-6;

ScreenPoint Projected(const Camera& camera, const Vec3& point) {
  double x = 0, y = 0, depth = 0;
  camera.ProjectDepth(point, x, y, depth);
  return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(depth)};
}

class SegmentPainter {
 public:
  SegmentPainter(const Camera& camera, std::vector<TrackFragment>& pixels) : camera_(camera), pixels_(pixels) {}

  void Segment(const Vec3& from, const Vec3& to, const ScreenPoint& a, const ScreenPoint& b,
               const std::array<std::uint8_t, 3>& colour) {
    if (!camera_.Perspective() || (a.depth >= kNearest && b.depth >= kNearest)) {
      Draw(a, b, colour);
      return;
    }
    if (a.depth < kNearest && b.depth < kNearest) return;
    // Cut where the segment passes the eye's plane, in model space.
    const double share = (kNearest - a.depth) / (static_cast<double>(b.depth) - a.depth);
    const ScreenPoint cut = Projected(camera_, from + share * (to - from));
    if (a.depth >= kNearest) Draw(a, cut, colour);
    else Draw(cut, b, colour);
  }

 private:
  void Draw(const ScreenPoint& a, const ScreenPoint& b, const std::array<std::uint8_t, 3>& colour) {
    // Keep the part inside the picture.
    const double dx = static_cast<double>(b.x) - a.x, dy = static_cast<double>(b.y) - a.y;
    double enter = 0, leave = 1;
    auto limit = [&](double rate, double room) {
      if (rate == 0) return room >= 0;
      if (rate < 0) enter = std::max(enter, room / rate);
      else leave = std::min(leave, room / rate);
      return true;
    };
    const int width = camera_.Width(), height = camera_.Height();
    if (!limit(-dx, a.x) || !limit(dx, width - a.x) || !limit(-dy, a.y) || !limit(dy, height - a.y) || enter > leave)
      return;
    const double length = std::max(std::fabs(dx), std::fabs(dy)) * (leave - enter);
    const auto steps = static_cast<long long>(std::max(1.0, std::ceil(length)));
    const double step = (leave - enter) / static_cast<double>(steps);
    const bool perspective = camera_.Perspective();
    for (long long k = 0; k <= steps; ++k) {
      const double share = enter + step * static_cast<double>(k);
      const double x = a.x + share * dx, y = a.y + share * dy;
      const int column = static_cast<int>(x), row = static_cast<int>(y);
      if (column < 0 || column >= width || row < 0 || row >= height) continue;
      // Along the picture the depth changes linearly without perspective;
      // with it, its reciprocal does.
      const double depth = perspective ? 1 / ((1 - share) / a.depth + share / b.depth)
                                       : a.depth + share * (static_cast<double>(b.depth) - a.depth);
      const auto distance = static_cast<float>(perspective ? depth * camera_.DepthToDistance(x, y) : depth);
      TrackFragment& pixel = pixels_[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                                     static_cast<std::size_t>(column)];
      if (distance < pixel.distance) pixel = {distance, colour};
    }
  }

  const Camera& camera_;
  std::vector<TrackFragment>& pixels_;
};

}  // namespace

bool RasterizeTracks(const TrackScene& tracks, const Camera& camera, int threads, const std::atomic<bool>* cancel,
                     TrackRaster& raster, std::vector<TrackFragment>& fragments) {
  const std::size_t pixels = static_cast<std::size_t>(camera.Width()) * static_cast<std::size_t>(camera.Height());
  const int shares = std::max(1, threads);
  raster.screen.resize(tracks.points.size());
  raster.threadPixels.resize(static_cast<std::size_t>(shares - 1));
  auto cancelled = [&] { return cancel && cancel->load(std::memory_order_relaxed); };
  platform::RunOnThreads(shares, [&](int share) {
    std::vector<TrackFragment>& own = share == 0 ? fragments : raster.threadPixels[static_cast<std::size_t>(share - 1)];
    own.assign(pixels, TrackFragment{});
    SegmentPainter painter(camera, own);
    const std::size_t first = tracks.lines.size() * static_cast<std::size_t>(share) / static_cast<std::size_t>(shares);
    const std::size_t end = tracks.lines.size() * static_cast<std::size_t>(share + 1) / static_cast<std::size_t>(shares);
    for (std::size_t k = first; k < end && !cancelled(); ++k) {
      const TrackPolyline& line = tracks.lines[k];
      const auto& colour = tracks.colours[static_cast<std::size_t>(line.type)];
      for (std::uint32_t p = line.first; p < line.first + line.count; ++p) {
        raster.screen[p] = Projected(camera, tracks.points[p]);
        if (p > line.first)
          painter.Segment(tracks.points[p - 1], tracks.points[p], raster.screen[p - 1], raster.screen[p], colour);
      }
    }
  });
  if (cancelled()) return false;
  for (const std::vector<TrackFragment>& own : raster.threadPixels)
    for (std::size_t pixel = 0; pixel < pixels; ++pixel)
      if (own[pixel].distance < fragments[pixel].distance) fragments[pixel] = own[pixel];
  return true;
}

}  // namespace tessarin::view3d
