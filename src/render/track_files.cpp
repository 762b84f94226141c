#include "render/track_files.h"

#include <utility>

#include "launch/file_names.h"
#include "platform/paths.h"
#include "render/mged_units.h"
#include "tracks/set_reading.h"

namespace tessarin::render {

std::string SetTrackDataPath(const settings::VIEWPARM& set, const launch::LaunchContext& context) {
  const std::string name = launch::TrackDataFilePath(set, context);
  return name.empty() ? name : platform::AbsolutePath(name, context.startupDirectory);
}

TrackDrawingSettings DrawingSettingsForSet(const settings::VIEWPARM& set, std::string basePath,
                                           std::string trackDataPath) {
  TrackDrawingSettings settings;
  settings.basePath = std::move(basePath);
  settings.trackDataPath = std::move(trackDataPath);
  settings.colors = set.trackColorRGB;
  settings.nVerticesTrackMax = set.nVerticesTrackMax;
  settings.nVerticesTotalMax = set.nVerticesTotalMax;
  settings.extendEscapeTracks = set.extendEscapeTracks != 0;
  settings.scale = 1 / kMgedUnits[static_cast<std::size_t>(ChooseMgedUnit(set.viewSize))].size;
  settings.worldSize = set.viewSize * set.maximumObjectSizeRatio;
  return settings;
}

namespace {

// The drawing as the reading sees it: the reading's end does not yet put
// the files in place, so that a reading that failed can still keep the
// older ones.
class DrawingUntilFinished final : public tracks::SelectedTrackSink {
 public:
  explicit DrawingUntilFinished(TrackDrawing& drawing) : drawing_(drawing) {}
  void Add(const tracks::TrackInput& track, const tracks::SelectedSegment& segment, int layout) override {
    drawing_.Add(track, segment, layout);
  }
  void Finish() override {}

 private:
  TrackDrawing& drawing_;
};

}  // namespace

TrackFilesResult WriteTrackFiles(const TrackDrawingSettings& settings, const TrackReadingForDrawing& read,
                                 platform::Host& host) {
  TrackFilesResult result;
  TrackDrawing drawing(settings);
  DrawingUntilFinished sink(drawing);
  const TracksForDrawing tracks = read(sink);
  result.selectedTracks = tracks.selected;
  if (!tracks.drawn) drawing.Abandon();
  // A reading that never got to its end (a missing file) leaves no file open.
  drawing.Finish();
  result.files = drawing.FileNames();
  result.filesFailed = drawing.FilesFailed();
  result.unwritten = drawing.Unwritten();
  for (const tracks::ReadingMessage& message : drawing.Messages()) host.ShowMessage(message.text, message.icon);
  return result;
}

TrackReadingForDrawing DirectTrackReading(const settings::VIEWPARM& set, std::string trackDataPath,
                                          platform::Host& host) {
  return [&set, path = std::move(trackDataPath), &host](tracks::SelectedTrackSink& sink) {
    tracks::TrackReadingRequest request = tracks::RequestForSet(set, path, tracks::SegmentUse::WhenShown);
    request.sink = &sink;
    tracks::TRACKSETDATA copy;
    tracks::TrackStatistics statistics;
    const tracks::TrackReadingOutcome outcome = tracks::ReadTracks(request, copy, statistics);
    for (const tracks::ReadingMessage& message : outcome.messages) host.ShowMessage(message.text, message.icon);
    return static_cast<long long>(statistics.tracks);
  };
}

}  // namespace tessarin::render
