#include "tracks/set_reading.h"

namespace tessarin::tracks {

TrackReadingRequest RequestForSet(const settings::VIEWPARM& set, const std::string& path, SegmentUse use) {
  TrackReadingRequest request;
  request.path = path;
  request.fileNameBlank = path.empty();
  request.filter = set.filter;
  const bool withSegments = use == SegmentUse::Always || set.showTrackSegments != 0;
  request.segments = withSegments ? &set.segments : nullptr;
  request.filterBeforeSelection = !withSegments || set.trackFilteringBeforeSegmentSelection != 0;
  request.keepTrackDataInMemory = set.keepTrackDataInMemory != 0;
  request.escapeExtension = 2 * set.maximumObjectSizeRatio * set.viewSize;
  return request;
}

}  // namespace tessarin::tracks
