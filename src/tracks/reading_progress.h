#pragma once
// How a reading of track data reports its progress and hands on the
// selected tracks. Neither knows anything of windows: the progress dialog
// and the track writers implement them.

#include <string_view>

#include "tracks/track_filter.h"

namespace tessarin::tracks {

class ReadingProgress {
 public:
  virtual ~ReadingProgress() = default;
  // At most once a second, the first time after a second of reading (the
  // dialog then becomes visible): the fraction of the file read so far.
  // ProgressCaption and ProgressBarPosition turn it into what is shown.
  virtual void Update(double fraction) = 0;
};

class SelectedTrackSink {
 public:
  virtual ~SelectedTrackSink() = default;
  // A selected track with its segment; `layout` is the file's layout code.
  virtual void Add(const TrackInput& track, const SelectedSegment& segment, int layout) = 0;
  // The reading has ended (after the last track, an error or Stop).
  virtual void Finish() = 0;
};

}  // namespace tessarin::tracks
