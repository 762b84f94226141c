#pragma once
// A reading request made from a parameter set's settings.

#include <string>

#include "settings/viewparm.h"
#include "tracks/track_reader.h"

namespace tessarin::tracks {

enum class SegmentUse {
  WhenShown,  // counting and drawing: the segment block when showTrackSegments is on
  Always,     // the statistics: the segment block always
};

// `path` is the full path of the set's track data file; `set` must outlive
// the request, which points at its segment block.
TrackReadingRequest RequestForSet(const settings::VIEWPARM& set, const std::string& path, SegmentUse use);

}  // namespace tessarin::tracks
