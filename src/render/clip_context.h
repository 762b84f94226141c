#pragma once
// What the clipping operations share during one "Make RT script": the
// surface table (the model's surfaces with the writer's bounding planes
// behind them), a copy of the model's precision settings, the intersection
// buffers and the time spent. A region test may raise the distance precision
// for itself; it is back at the model's value when the test returns, so
// nothing of one cell's clipping reaches the next or the model.

#include <vector>

#include "input/geometry_model.h"
#include "input/kernel/surface_pair_curve.h"

namespace tessarin::render {

inline constexpr int kMaxIntersectionBuffers = 10000;

struct ClipTimes {
  double regionTestSeconds = 0;    // pair verdicts and vertex search together
  double vertexSearchSeconds = 0;  // the vertex search alone
  double clippingSeconds = 0;      // the clipping iterations
};

struct ClipContext {
  std::vector<input::SurfaceRecord>& surfaces;
  input::PrecisionSettings precision;
  // One curve per entry position of the list being clipped, grown on first
  // use and kept for the whole command.
  std::vector<input::kernel::IntersectionCurve> buffers;
  ClipTimes times;

  const input::SurfaceRecord& Surface(int index) const { return surfaces[static_cast<std::size_t>(index)]; }
  // The buffer for entry `position`; nullptr beyond the table's capacity.
  input::kernel::IntersectionCurve* Buffer(int position) {
    if (position < 0 || position >= kMaxIntersectionBuffers) return nullptr;
    if (static_cast<std::size_t>(position) >= buffers.size()) buffers.resize(static_cast<std::size_t>(position) + 1);
    return &buffers[static_cast<std::size_t>(position)];
  }
};

}  // namespace tessarin::render
