#pragma once
// Reads the selected tracks of a set for the 3D view on a thread of its
// own, so that the window goes on while a large track file is read. A new
// request stops the reading in progress; the destructor stops and joins.

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "launch/launch_context.h"
#include "settings/viewparm.h"
#include "view3d/set_tracks.h"

namespace tessarin::ui {

// What the tracks drawn depend on: when it is unchanged, the tracks read
// before still hold.
struct TrackSceneInputs {
  std::string path;  // empty: no tracks
  long long fileSize = -1;
  long long modified = 0;  // the file's last write, in the file clock's ticks
  settings::TrackFilter filter;
  settings::SegmentFilter segments;
  int showTrackSegments = 0, filterFirst = 1, extendEscapeTracks = 1;
  int verticesPerTrack = 0, verticesInAll = 0;
  double escapeExtension = 0;
  std::array<settings::ColorEntry, settings::kTrackTypeCount> colours{};

  friend bool operator==(const TrackSceneInputs&, const TrackSceneInputs&) = default;
};

// Without tracks shown, only an empty path.
TrackSceneInputs TrackSceneInputsOf(const settings::VIEWPARM& set, const launch::LaunchContext& context);

class TrackSceneLoader {
 public:
  // `loaded` runs on the reading's thread with the request's number, also
  // when the file is missing; never for a reading that was stopped.
  using Loaded = std::function<void(std::uint64_t request, view3d::SetTracks tracks)>;

  explicit TrackSceneLoader(Loaded loaded) : loaded_(std::move(loaded)) {}
  ~TrackSceneLoader() { Stop(); }
  TrackSceneLoader(const TrackSceneLoader&) = delete;
  TrackSceneLoader& operator=(const TrackSceneLoader&) = delete;

  std::uint64_t Load(settings::VIEWPARM set, launch::LaunchContext context);
  void Stop();

 private:
  Loaded loaded_;
  std::uint64_t lastRequest_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace tessarin::ui
