#include "view3d/track_scene.h"

namespace tessarin::view3d {

namespace {

render::TrackAllowanceSettings AllowanceOfSet(const settings::VIEWPARM& set) {
  return {set.nVerticesTrackMax, set.nVerticesTotalMax, set.extendEscapeTracks != 0,
          set.viewSize * set.maximumObjectSizeRatio};
}

}  // namespace

TrackSceneBuilder::TrackSceneBuilder(const settings::VIEWPARM& set) : allowance_(AllowanceOfSet(set)) {
  for (std::size_t type = 0; type < scene_.colours.size(); ++type) {
    const settings::ColorEntry& colour = set.trackColorRGB[type];
    scene_.colours[type] = {colour.red, colour.green, colour.blue};
  }
}

void TrackSceneBuilder::Add(const tracks::TrackInput& track, const tracks::SelectedSegment& segment, int layout) {
  ++tracksSelected_;
  const std::optional<render::TrackPointPlan> plan = allowance_.Admit(track, segment, layout);
  if (!plan) return;
  allowance_.Draw(track, segment, layout, *plan, points_);
  TrackPolyline line;
  line.first = static_cast<std::uint32_t>(scene_.points.size());
  line.count = static_cast<std::uint32_t>(points_.size());
  line.type = track.type;
  for (const tracks::TrackVertex& point : points_) scene_.points.push_back({point.x, point.y, point.z});
  scene_.lines.push_back(line);
}

}  // namespace tessarin::view3d
