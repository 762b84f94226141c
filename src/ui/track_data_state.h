#pragma once
// What the controller keeps about track readings: the statistics of the
// last one (whose count "Number of tracks:" shows), the flags shared with
// the reading's worker thread, and who runs readings.

#include <atomic>

#include "tracks/track_statistics.h"
#include "ui/track_reading_runner.h"

namespace tessarin::ui {

struct TrackDataState {
  tracks::TrackStatistics statistics;
  std::atomic<bool> reading{false};  // a reading runs: filtering changes are refused
  std::atomic<bool> stop{false};
  ImmediateTrackReadingRunner immediate;
  TrackReadingRunner* runner = &immediate;
};

}  // namespace tessarin::ui
