#pragma once
// Which points of the selected tracks are drawn: the per-track allowance
// thins a long track evenly, the total allowance leaves out every track
// from the first that would exceed it, and an escaped track goes on twice
// the world size beyond its escape point. The RT script's track files and
// the 3D view draw through this, so both show the same points.

#include <optional>
#include <string>
#include <vector>

#include "render/track_points.h"
#include "tracks/trackset_data.h"
#include "tracks/track_filter.h"

namespace tessarin::render {

struct TrackAllowanceSettings {
  int nVerticesTrackMax = -1;  // below zero: no limit
  int nVerticesTotalMax = -1;  // below zero: no limit
  bool extendEscapeTracks = true;
  double worldSize = 0;        // W, model centimetres
};

class TrackAllowance {
 public:
  explicit TrackAllowance(const TrackAllowanceSettings& settings) : settings_(settings) {}

  // The plan of a selected track, or nothing when it is not drawn: its
  // numbers do not fit it, or the total allowance is used up (from then on
  // no track is drawn).
  std::optional<TrackPointPlan> Admit(const tracks::TrackInput& track, const tracks::SelectedSegment& segment,
                                      int layout);
  // The points of an admitted track, in order, into `points`; counts the
  // track as drawn.
  void Draw(const tracks::TrackInput& track, const tracks::SelectedSegment& segment, int layout,
            const TrackPointPlan& plan, std::vector<tracks::TrackVertex>& points);

  // What the user is told at the end of the drawing: tracks left out
  // (of `tracksSelected`) and tracks thinned; empty when neither happened.
  std::string Report(int tracksSelected) const;

  [[nodiscard]] bool LimitReached() const { return limitReached_; }
  [[nodiscard]] bool Thinned() const { return thinned_; }
  // Escaped tracks of an older file were drawn without their extension.
  [[nodiscard]] bool OlderLayoutEscapes() const { return olderLayoutEscapes_; }
  long long PointsCounted() const { return pointsCounted_; }
  int TracksDrawn() const { return tracksDrawn_; }

 private:
  TrackAllowanceSettings settings_;
  std::vector<int> vertexIndices_;  // reused from track to track
  long long pointsCounted_ = 0;
  int tracksDrawn_ = 0;
  bool limitReached_ = false;
  bool thinned_ = false;
  bool olderLayoutEscapes_ = false;
};

}  // namespace tessarin::render
