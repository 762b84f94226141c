#pragma once
// Which points of a selected track go into its drawing: the start point, the
// vertices after it up to the last one drawn, and an interpolated end point.
// A track with more points than its allowance keeps its first and last
// vertices and evenly spaced ones between them.

#include <vector>

#include "tracks/track_filter.h"

namespace tessarin::render {

struct TrackPointPlan {
  int first = 0;             // s: the segment's first vertex
  int last = 0;              // e: the segment's last vertex
  int lastDrawn = 0;         // E: the escape point of an escaped track, else e
  bool interpolatedStart = false;
  bool interpolatedEnd = false;
  int points = 0;            // T: the points of the whole polyline
  int allowance = 0;         // K: the points that will be written
  [[nodiscard]] bool Thinned() const { return allowance < points; }
};

// `nVerticesTrackMax` below zero: no limit.
TrackPointPlan PlanTrackPoints(const tracks::SelectedSegment& segment, int vertexCount, bool escaped,
                               int nVerticesTrackMax);

// The vertex indices written after the start point, in order, into
// `indices` (the interpolated end point is not among them).
void DrawnVertices(const TrackPointPlan& plan, std::vector<int>& indices);

}  // namespace tessarin::render
