#include "ui/track_scene_loader.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "render/track_files.h"

namespace tessarin::ui {

TrackSceneInputs TrackSceneInputsOf(const settings::VIEWPARM& set, const launch::LaunchContext& context) {
  TrackSceneInputs inputs;
  if (set.showTracks == 0) return inputs;
  inputs.path = render::SetTrackDataPath(set, context);
  std::error_code error;
  const auto size = std::filesystem::file_size(inputs.path, error);
  if (!error) inputs.fileSize = static_cast<long long>(size);
  const auto written = std::filesystem::last_write_time(inputs.path, error);
  if (!error) inputs.modified = static_cast<long long>(written.time_since_epoch().count());
  inputs.filter = set.filter;
  inputs.segments = set.segments;
  inputs.showTrackSegments = set.showTrackSegments;
  inputs.filterFirst = set.trackFilteringBeforeSegmentSelection;
  inputs.extendEscapeTracks = set.extendEscapeTracks;
  inputs.verticesPerTrack = set.nVerticesTrackMax;
  inputs.verticesInAll = set.nVerticesTotalMax;
  inputs.escapeExtension = set.viewSize * set.maximumObjectSizeRatio;
  inputs.colours = set.trackColorRGB;
  return inputs;
}

std::uint64_t TrackSceneLoader::Load(settings::VIEWPARM set, launch::LaunchContext context) {
  Stop();
  stop_.store(false, std::memory_order_release);
  const std::uint64_t request = ++lastRequest_;
  thread_ = std::thread([this, request, set = std::move(set), context = std::move(context)] {
    view3d::SetTracks tracks;
    try {
      tracks = view3d::ReadSetTracks(set, context, stop_);
    } catch (const std::exception& failure) {
      tracks.scene.reset();
      tracks.messages.push_back(failure.what());
    }
    if (!stop_.load(std::memory_order_acquire)) loaded_(request, std::move(tracks));
  });
  return request;
}

void TrackSceneLoader::Stop() {
  stop_.store(true, std::memory_order_release);
  if (thread_.joinable()) thread_.join();
}

}  // namespace tessarin::ui
