#include "view3d/set_tracks.h"

#include <filesystem>

#include "platform/format_text.h"
#include "render/track_files.h"
#include "tracks/set_reading.h"
#include "tracks/track_statistics.h"
#include "view3d/messages.h"

namespace tessarin::view3d {

SetTracks ReadSetTracks(const settings::VIEWPARM& set, const launch::LaunchContext& context,
                        const std::atomic<bool>& stop) {
  SetTracks result;
  const std::string path = render::SetTrackDataPath(set, context);
  if (path.empty()) return result;
  TrackSceneBuilder builder(set);
  tracks::TrackReadingRequest request = tracks::RequestForSet(set, path, tracks::SegmentUse::WhenShown);
  request.sink = &builder;
  request.stop = &stop;
  // A copy of its own: the set's cache belongs to the user-interface thread.
  tracks::TRACKSETDATA copy;
  tracks::TrackStatistics statistics;
  const tracks::TrackReadingOutcome outcome = tracks::ReadTracks(request, copy, statistics);
  std::error_code error;
  if (outcome.missingFile && std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found) {
    // Before the first run of the simulator: nothing wrong.
    result.messages.push_back(platform::FormatText(messages::kNoTrackDataYet, path.c_str()));
    return result;
  }
  for (const tracks::ReadingMessage& message : outcome.messages) result.messages.push_back(message.text);
  if (outcome.missingFile || outcome.interrupted) return result;
  if (std::string report = builder.Report(); !report.empty()) result.messages.push_back(std::move(report));
  result.messages.push_back("Number of tracks: " + std::to_string(statistics.tracks));
  result.scene = std::make_shared<TrackScene>(builder.TakeTracks());
  return result;
}

}  // namespace tessarin::view3d
