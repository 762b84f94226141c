#include "render/track_allowance.h"

#include <cmath>

#include "platform/format_text.h"
#include "render/messages.h"

namespace tessarin::render {

namespace {

bool DrawnAsEscaped(const tracks::TrackInput& track, int layout) {
  // An older-layout escape track reaches the filter with the "energy left"
  // flag, its last point already moved out along its direction of flight.
  return track.endFlag == tracks::kTrackEscaped ||
         (layout == tracks::kOlderTrackLayout && track.endFlag == tracks::kTrackEnergyLeft);
}

}  // namespace

std::optional<TrackPointPlan> TrackAllowance::Admit(const tracks::TrackInput& track,
                                                    const tracks::SelectedSegment& segment, int layout) {
  if (limitReached_) return std::nullopt;
  const int vertexCount = static_cast<int>(track.vertices.size());
  if (track.type < 0 || track.type >= settings::kTrackTypeCount || vertexCount < 1) return std::nullopt;
  const TrackPointPlan plan =
      PlanTrackPoints(segment, vertexCount, DrawnAsEscaped(track, layout), settings_.nVerticesTrackMax);
  if (plan.first < 0 || plan.last >= vertexCount || plan.lastDrawn < plan.first - 1) return std::nullopt;
  if (settings_.nVerticesTotalMax >= 0 && settings_.nVerticesTotalMax - pointsCounted_ < plan.allowance) {
    limitReached_ = true;
    return std::nullopt;
  }
  return plan;
}

void TrackAllowance::Draw(const tracks::TrackInput& track, const tracks::SelectedSegment& segment, int layout,
                          const TrackPointPlan& plan, std::vector<tracks::TrackVertex>& points) {
  points.clear();
  points.push_back(segment.interpolatedStart ? segment.start : track.vertices[static_cast<std::size_t>(plan.first)]);
  DrawnVertices(plan, vertexIndices_);
  for (int index : vertexIndices_) points.push_back(track.vertices[static_cast<std::size_t>(index)]);
  if (segment.interpolatedEnd) points.push_back(segment.end);
  if (plan.Thinned()) thinned_ = true;
  pointsCounted_ += plan.allowance;

  const int vertexCount = static_cast<int>(track.vertices.size());
  const bool escaped = DrawnAsEscaped(track, layout);
  if (escaped && settings_.extendEscapeTracks && layout != tracks::kOlderTrackLayout && vertexCount >= 2) {
    // Out of the world along the last piece, so that the track visibly leaves.
    const tracks::TrackVertex& last = track.vertices[static_cast<std::size_t>(vertexCount - 1)];
    const tracks::TrackVertex& previous = track.vertices[static_cast<std::size_t>(vertexCount - 2)];
    const double dx = last.x - previous.x, dy = last.y - previous.y, dz = last.z - previous.z;
    const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (length > 0) {
      const double reach = 2 * settings_.worldSize / length;
      points.push_back({last.x + reach * dx, last.y + reach * dy, last.z + reach * dz, last.energy});
    }
  }
  if (escaped && !settings_.extendEscapeTracks && layout == tracks::kOlderTrackLayout) olderLayoutEscapes_ = true;
  ++tracksDrawn_;
}

std::string TrackAllowance::Report(int tracksSelected) const {
  std::string report;
  if (limitReached_)
    report += platform::FormatText(messages::kTotalVerticesExceeded, settings_.nVerticesTotalMax, tracksDrawn_,
                                   tracksSelected);
  if (thinned_) report += platform::FormatText(messages::kTracksThinned, settings_.nVerticesTrackMax);
  return report;
}

}  // namespace tessarin::render
