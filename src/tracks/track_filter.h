#pragma once
// The decision made for one track: does it pass the filter block, and which
// segment of it is selected. The reader calls it for every track in range.

#include <cstdint>
#include <optional>
#include <span>

#include "tracks/trackset_data.h"
#include "settings/viewparm.h"

namespace tessarin::tracks {

class TrackStatistics;

struct TrackInput {
  int history = 0;  // 0-based, by order in the file
  int track = 0;    // 0-based, by order in the file
  std::int64_t sourceParticle = 0;
  int generation = 0;
  int type = 0;
  int typeMask = 1;
  int endFlag = kTrackStopped;  // kTrackEscaped: the last vertex is the escape point
  std::span<const TrackVertex> vertices;
};

struct FilterSettings {
  const settings::TrackFilter* filter = nullptr;      // none: every track passes
  const settings::SegmentFilter* segments = nullptr;  // none: whole tracks
  bool filterBeforeSelection = true;                  // trackFilteringBeforeSegmentSelection
};

// The selected segment: vertices first to last, possibly preceded by an
// interpolated start point and followed by an interpolated end point.
// `start` carries the initial energy of the segment, `end` its final one.
struct SelectedSegment {
  int first = 0;
  int last = 0;
  bool interpolatedStart = false;
  bool interpolatedEnd = false;
  TrackVertex start;
  TrackVertex end;
};

// Relative tolerance of every comparison with a bound.
inline constexpr double kBoundTolerance = 1e-12;
[[nodiscard]] inline bool BelowMinimum(double value, double minimum) { return value < minimum * (1 - kBoundTolerance); }
[[nodiscard]] inline bool AboveMaximum(double value, double maximum) { return value > maximum * (1 + kBoundTolerance); }

// Judges the track; when selected, adds it to `statistics` (if given) and
// returns its segment.
std::optional<SelectedSegment> FilterTrack(const TrackInput& track, const FilterSettings& settings,
                                           TrackStatistics* statistics);

}  // namespace tessarin::tracks
