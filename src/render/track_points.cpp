#include "render/track_points.h"

#include <cmath>

namespace tessarin::render {

TrackPointPlan PlanTrackPoints(const tracks::SelectedSegment& segment, int vertexCount, bool escaped,
                               int nVerticesTrackMax) {
  TrackPointPlan plan;
  plan.first = segment.first;
  plan.last = segment.last;
  plan.interpolatedStart = segment.interpolatedStart;
  plan.interpolatedEnd = segment.interpolatedEnd;
  plan.lastDrawn = escaped ? vertexCount - 1 : segment.last;
  plan.points = (plan.lastDrawn - plan.first + 1) + (plan.interpolatedStart ? 1 : 0) + (plan.interpolatedEnd ? 1 : 0);
  plan.allowance = nVerticesTrackMax < 0 || nVerticesTrackMax >= plan.points ? plan.points : nVerticesTrackMax;
  return plan;
}

void DrawnVertices(const TrackPointPlan& plan, std::vector<int>& indices) {
  indices.clear();
  const int next = plan.first - (plan.interpolatedStart ? 1 : 0) + 1;  // the first vertex after the start point
  if (!plan.Thinned()) {
    for (int vertex = next; vertex <= plan.lastDrawn; ++vertex) indices.push_back(vertex);
    return;
  }
  const int tail = plan.last + (plan.interpolatedEnd ? 1 : 0);  // from here on every vertex is written
  if (next < tail) indices.push_back(next);
  // The spacing leaves room for the start point, the first vertex and the
  // tail; an escaped track whose segment ends early can leave none, and then
  // nothing lies between.
  const int steps = plan.last + plan.allowance - plan.lastDrawn - 2;
  if (steps > 0 && next < tail) {
    const double step = static_cast<double>(tail - next) / steps;
    for (int k = 1; k < steps + 1; ++k) {
      const int vertex = static_cast<int>(std::floor(next + k * step + 0.5));
      if (vertex >= tail) break;
      indices.push_back(vertex);
    }
  }
  for (int vertex = tail; vertex <= plan.lastDrawn; ++vertex) indices.push_back(vertex);
}

}  // namespace tessarin::render
