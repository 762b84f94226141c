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

TrackFilesResult WriteTrackFiles(const TrackDrawingSettings& settings, const TrackReadingForDrawing& read,
                                 platform::Host& host) {
  TrackFilesResult result;
  TrackDrawing drawing(settings);
  result.selectedTracks = read(drawing);
  // A reading that never got to its end (a missing file) leaves no file open.
  drawing.Finish();
  result.files = drawing.FileNames();
  result.filesFailed = drawing.FilesFailed();
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
