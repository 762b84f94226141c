#pragma once
// Drawing a parameter set's selected tracks into the track files of its RT
// script. The reading itself is the caller's: the window runs it on a worker
// thread behind the progress dialog, the command line and tests at once.

#include <functional>
#include <string>

#include "launch/launch_context.h"
#include "platform/host.h"
#include "render/track_drawing.h"
#include "settings/viewparm.h"

namespace tessarin::render {

// What a reading for the drawing tells: the number of selected tracks, and
// whether what it handed over is to be drawn. A reading that failed part way
// may leave the older drawing files as they were instead.
struct TracksForDrawing {
  TracksForDrawing(long long selectedTracks, bool draw = true) : selected(selectedTracks), drawn(draw) {}
  long long selected = 0;
  bool drawn = true;
};

// Reads the set's track data handing every selected track to `sink`, shows
// the reading's own messages, and returns the number of selected tracks.
using TrackReadingForDrawing = std::function<TracksForDrawing(tracks::SelectedTrackSink& sink)>;

struct [[nodiscard]] TrackFilesResult {
  TrackFileNames files;  // by type; empty for a type without a file
  long long selectedTracks = 0;
  int filesFailed = 0;   // types left out because their file could not be made
  bool unwritten = false;  // a file could not be written whole: the older files stay
};

// The full path of the set's track data file; empty when it names none.
std::string SetTrackDataPath(const settings::VIEWPARM& set, const launch::LaunchContext& context);

// The set's colours, allowances and escape extension, with the scale of its
// RT script.
TrackDrawingSettings DrawingSettingsForSet(const settings::VIEWPARM& set, std::string basePath,
                                           std::string trackDataPath);

// Runs `read` with a TrackDrawing, then shows the drawing's messages.
TrackFilesResult WriteTrackFiles(const TrackDrawingSettings& settings, const TrackReadingForDrawing& read,
                                 platform::Host& host);

// A reading on the calling thread, without a progress display.
TrackReadingForDrawing DirectTrackReading(const settings::VIEWPARM& set, std::string trackDataPath,
                                          platform::Host& host);

}  // namespace tessarin::render
