#pragma once
// Reading a track data file, or the parameter set's copy of it in memory:
// every complete track within the history and track ranges goes through the
// filter, which fills the statistics; selected tracks go on to a sink (the
// track writers) when one is given. Runs on the reading's worker thread;
// the caller owns the thread, the stop flag and the busy mark.

#include <atomic>
#include <span>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/host.h"
#include "tracks/trackset_data.h"
#include "tracks/reading_progress.h"
#include "tracks/track_filter.h"
#include "tracks/track_statistics.h"

namespace tessarin::tracks {

struct TrackReadingRequest {
  std::string path;               // the full path of the track data file
  bool fileNameBlank = false;     // the set names no track data file
  settings::TrackFilter filter;   // ranges and bounds
  const settings::SegmentFilter* segments = nullptr;  // none: whole tracks
  bool filterBeforeSelection = true;
  bool keepTrackDataInMemory = true;
  double escapeExtension = 0;     // 2 x maximumObjectSizeRatio x viewSize
  SelectedTrackSink* sink = nullptr;       // tracks are drawn
  ReadingProgress* progress = nullptr;
  const std::atomic<bool>* stop = nullptr;  // polled after every vertex and track
  std::atomic<bool>* busy = nullptr;        // set while the copy in memory is read
  platform::Clock* clock = nullptr;         // default: the machine's clock
};

struct ReadingMessage {
  std::string text;
  std::string caption;  // empty: the program's name
  platform::MessageIcon icon = platform::MessageIcon::Error;
};

struct [[nodiscard]] TrackReadingOutcome {
  std::vector<ReadingMessage> messages;  // in the order they are to be shown
  bool missingFile = false;
  bool formatError = false;
  bool interrupted = false;
  bool fromMemory = false;
};

// Reads the file named in the request, or `copy` when it is current. The
// statistics are cleared first and finalised at the end (not after a
// missing file).
TrackReadingOutcome ReadTracks(const TrackReadingRequest& request, TRACKSETDATA& copy,
                               TrackStatistics& statistics);

// The same on a file's contents in memory, for fuzzing: every byte sequence
// must be read without a crash or a hang.
TrackReadingOutcome ReadTrackText(std::span<const char> text, const TrackReadingRequest& request,
                                  TRACKSETDATA& copy, TrackStatistics& statistics);

// "Reading the track data file (%.2f %%)" for the fraction read, and the
// position of the progress bar (0 to 1000).
std::string ProgressCaption(double fraction);
int ProgressBarPosition(double fraction);

}  // namespace tessarin::tracks
