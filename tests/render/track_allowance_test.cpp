// The total allowance of drawn points: a track that uses it up exactly is
// drawn, and from the first track that does not fit on nothing is.

#include <gtest/gtest.h>

#include <vector>

#include "render/track_allowance.h"

namespace tessarin::render {
namespace {

TEST(TrackAllowance, ATrackThatUsesUpTheTotalExactlyIsDrawn) {
  const struct {
    int totalMax;
    std::vector<int> vertexCounts;
    int drawn;
  } cases[] = {
      {6, {3, 3, 1}, 2}, {5, {3, 3, 1}, 1}, {3, {3}, 1}, {2, {3, 1}, 0}, {0, {1}, 0}, {-1, {3, 3, 1}, 3},
  };
  for (const auto& c : cases) {
    TrackAllowance allowance({-1, c.totalMax, true, 10});
    for (int count : c.vertexCounts) {
      std::vector<tracks::TrackVertex> vertices(static_cast<std::size_t>(count));
      for (int i = 0; i < count; ++i) vertices[static_cast<std::size_t>(i)].x = i;
      tracks::TrackInput track;
      track.vertices = vertices;
      const tracks::SelectedSegment whole{0, count - 1, false, false, {}, {}};
      std::vector<tracks::TrackVertex> points;
      if (const std::optional<TrackPointPlan> plan = allowance.Admit(track, whole, 0))
        allowance.Draw(track, whole, 0, *plan, points);
    }
    EXPECT_EQ(allowance.TracksDrawn(), c.drawn) << c.totalMax;
    EXPECT_EQ(allowance.LimitReached(), c.drawn < static_cast<int>(c.vertexCounts.size())) << c.totalMax;
  }
}

}  // namespace
}  // namespace tessarin::render
