#include "tracks/reading_steps.h"

#include <cmath>
#include <vector>

namespace tessarin::tracks {


ProgressMeter::ProgressMeter(const TrackReadingRequest& request)
    : progress_(request.progress),
      clock_(request.clock != nullptr ? *request.clock : platform::SystemClock()),
      lastUpdate_(clock_.WallSeconds()) {}

void ProgressMeter::Look(double fraction) {
  if (progress_ == nullptr) return;
  const double now = clock_.WallSeconds();
  if (now - lastUpdate_ < 1.0) return;
  lastUpdate_ = now;
  progress_->Update(fraction);
}

void PassTrack(const TrackInput& track, int layout, const TrackReadingRequest& request, TrackStatistics& statistics) {
  const FilterSettings settings{&request.filter, request.segments, request.filterBeforeSelection};
  TrackInput judged = track;
  thread_local std::vector<TrackVertex> extended;
  const std::size_t n = track.vertices.size();
  if (layout == kOlderTrackLayout && track.endFlag == kTrackEnergyLeft && n >= 2) {
    // The last line of an older-layout escape track holds the direction of
    // flight; the track ends far outside the geometry along it.
    extended.assign(track.vertices.begin(), track.vertices.end());
    TrackVertex& last = extended[n - 1];
    const TrackVertex& previous = extended[n - 2];
    const double length = std::sqrt(last.x * last.x + last.y * last.y + last.z * last.z);
    const double scale = length > 0 ? request.escapeExtension / length : 0;
    last.x = previous.x + last.x * scale;
    last.y = previous.y + last.y * scale;
    last.z = previous.z + last.z * scale;
    judged.vertices = extended;
  }
  std::optional<SelectedSegment> segment = FilterTrack(judged, settings, &statistics);
  if (segment && request.sink != nullptr) request.sink->Add(judged, *segment, layout);
}

}  // namespace tessarin::tracks
