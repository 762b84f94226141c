#pragma once
// The selected tracks of a set as the 3D view draws them: one polyline per
// track in its particle type's colour, with the points the RT script's
// track files would hold (the same filter, segments and allowances). Filled
// by a track reading on the reading's thread, then only read.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "input/vec3.h"
#include "render/track_allowance.h"
#include "settings/track_types.h"
#include "settings/viewparm.h"
#include "tracks/reading_progress.h"

namespace tessarin::view3d {

using input::Vec3;

struct TrackPolyline {
  std::uint32_t first = 0;  // its first point in TrackScene::points
  std::uint32_t count = 0;
  std::int32_t type = 0;
};

struct TrackScene {
  std::vector<Vec3> points;
  std::vector<TrackPolyline> lines;
  std::array<std::array<std::uint8_t, 3>, settings::kTrackTypeCount> colours{};
};

class TrackSceneBuilder final : public tracks::SelectedTrackSink {
 public:
  explicit TrackSceneBuilder(const settings::VIEWPARM& set);

  void Add(const tracks::TrackInput& track, const tracks::SelectedSegment& segment, int layout) override;
  void Finish() override {}

  const TrackScene& Tracks() const { return scene_; }
  TrackScene TakeTracks() { return std::move(scene_); }
  int TracksSelected() const { return tracksSelected_; }
  // Tracks left out or thinned, as the script's drawing says it; empty when none.
  std::string Report() const { return allowance_.Report(tracksSelected_); }

 private:
  render::TrackAllowance allowance_;
  std::vector<tracks::TrackVertex> points_;
  TrackScene scene_;
  int tracksSelected_ = 0;
};

}  // namespace tessarin::view3d
