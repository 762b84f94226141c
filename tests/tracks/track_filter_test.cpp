// The track filter: whole-track bounds, segment windows with interpolated
// ends, the filtering order and the tolerance at bounds.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "tracks/track_filter.h"
#include "tracks/track_statistics.h"

namespace tessarin::tracks {
namespace {


// A track along the x axis: positions and energies.
std::vector<TrackVertex> AlongX(const std::vector<std::pair<double, double>>& positionsAndEnergies) {
  std::vector<TrackVertex> vertices;
  for (auto [x, energy] : positionsAndEnergies) vertices.push_back({x, 0, 0, energy});
  return vertices;
}

TrackInput Track(const std::vector<TrackVertex>& vertices, int generation = 0, int type = 0,
                 int endFlag = kTrackStopped) {
  return {0, 0, 1, generation, type, settings::TrackTypeMask(type), endFlag, vertices};
}

std::optional<SelectedSegment> Filter(const TrackInput& track, const settings::TrackFilter* filter,
                                      const settings::SegmentFilter* segments = nullptr, bool before = true,
                                      TrackStatistics* statistics = nullptr) {
  return FilterTrack(track, {filter, segments, before}, statistics);
}

TEST(TrackFilter, TypesAndGenerations) {
  settings::TrackFilter filter;  // default: types 0 to 8
  const std::vector<TrackVertex> v = AlongX({{0, 10}, {1, 0}});
  EXPECT_TRUE(Filter(Track(v, 1, 8), &filter));
  for (int type : {9, 10, 11}) EXPECT_FALSE(Filter(Track(v, 1, type), &filter)) << type;
  filter.genMin = 2;
  filter.genMax = 3;
  EXPECT_TRUE(Filter(Track(v, 0, 0), &filter));  // the source track has no generation bounds
  EXPECT_FALSE(Filter(Track(v, 1, 1), &filter));
  EXPECT_TRUE(Filter(Track(v, 3, 1), &filter));
  EXPECT_FALSE(Filter(Track(v, 4, 1), &filter));
  // A greatest generation of 0 is a bound: no secondary track passes.
  filter.genMin = 1;
  filter.genMax = 0;
  EXPECT_FALSE(Filter(Track(v, 1, 1), &filter));
  EXPECT_TRUE(Filter(Track(v, 0, 0), &filter));
  filter.originTypeMask = 2;
  EXPECT_FALSE(Filter(Track(v, 0, 0), &filter));
}

TEST(TrackFilter, EscapePointTakesNoPartInTheCount) {
  settings::TrackFilter filter;
  const std::vector<TrackVertex> v = AlongX({{0, 10}, {1, 8}, {2, 6}, {3, 4}, {4, 4}});
  filter.nVerticesMax = 4;
  TrackStatistics statistics;
  EXPECT_TRUE(Filter(Track(v, 0, 0, kTrackEscaped), &filter, nullptr, true, &statistics));
  EXPECT_EQ(statistics.rows[kCollisionsRow].maximum, 3);
  EXPECT_EQ(statistics.escapeTracks, 1);
  EXPECT_EQ(statistics.rows[kPathRow].maximum, 3);  // up to the last collision
  filter.nVerticesMax = 3;
  EXPECT_FALSE(Filter(Track(v, 0, 0, kTrackEscaped), &filter));
  EXPECT_FALSE(Filter(Track(v), &filter));
}

TEST(TrackFilter, BoundsAcceptValuesEqualToTwelveDigits) {
  settings::TrackFilter filter;
  const std::vector<TrackVertex> v = AlongX({{0, 1e6}, {0.25, 5e5}});
  filter.trackEstartMin = 1e6 * (1 + 5e-13);
  EXPECT_TRUE(Filter(Track(v), &filter));
  filter.trackEstartMin = 1e6 * (1 + 5e-12);
  EXPECT_FALSE(Filter(Track(v), &filter));
  filter = {};
  filter.trackPathMax = 0.25 * (1 - 5e-13);
  EXPECT_TRUE(Filter(Track(v), &filter));
  filter.trackPathMax = 0.25 * (1 - 5e-12);
  EXPECT_FALSE(Filter(Track(v), &filter));
  filter = {};
  filter.trackRelElossMax = 0.5;
  EXPECT_TRUE(Filter(Track(v), &filter));
  filter.trackRelElossMax = 0.4999;
  EXPECT_FALSE(Filter(Track(v), &filter));
}

TEST(TrackFilter, ZeroInitialEnergyHasNoRelativeLoss) {
  settings::TrackFilter filter;
  filter.trackRelElossMax = 0;
  TrackStatistics statistics;
  const std::vector<TrackVertex> v = AlongX({{0, 0}, {1, 0}});
  EXPECT_TRUE(Filter(Track(v), &filter, nullptr, true, &statistics));
  EXPECT_EQ(statistics.rows[kRelativeLossRow].maximum, 0);
  EXPECT_EQ(statistics.rows[kInitialRelativeLossRow].maximum, 0);
}

TEST(TrackFilter, EnergyWindowKeepsTheRunInsideIt) {
  const std::vector<TrackVertex> v = AlongX({{0, 2e6}, {1, 1.5e6}, {2, 8e5}, {3, 4e5}, {4, 5e4}, {5, 1e4}});
  settings::SegmentFilter segments;
  segments.segmentEmin = 1e5;
  segments.segmentEmax = 1e6;
  std::optional<SelectedSegment> s = Filter(Track(v), nullptr, &segments);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->first, 2);
  EXPECT_EQ(s->last, 3);
  EXPECT_FALSE(s->interpolatedStart || s->interpolatedEnd);
  segments.segmentEmin = 2e6;
  EXPECT_FALSE(Filter(Track(v), nullptr, &segments));  // minimum above maximum
  segments.segmentEmin = segments.segmentEmax = 8e5;   // a window of no width is one
  s = Filter(Track(v), nullptr, &segments);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->first, 2);
}

TEST(TrackFilter, LossWindowsCountFromTheSegmentStart) {
  const std::vector<TrackVertex> v = AlongX({{0, 100}, {1, 90}, {2, 70}, {3, 40}, {4, 0}});
  settings::SegmentFilter segments;
  segments.segmentElossMin = 20;
  segments.segmentElossMax = 60;
  std::optional<SelectedSegment> s = Filter(Track(v), nullptr, &segments);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->first, 2);  // lost 30
  EXPECT_EQ(s->last, 3);   // lost 60
  segments = {};
  segments.segmentRelElossMax = 0.35;
  s = Filter(Track(v), nullptr, &segments);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->first, 0);
  EXPECT_EQ(s->last, 2);
  segments = {};
  segments.segmentCollMin = 1;
  segments.segmentCollMax = 3;
  s = Filter(Track(v), nullptr, &segments);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->first, 1);
  EXPECT_EQ(s->last, 3);
  segments.segmentCollMin = 4;
  EXPECT_FALSE(Filter(Track(v), nullptr, &segments));
}

TEST(TrackFilter, PathWindowInterpolatesItsEnds) {
  const std::vector<TrackVertex> v = AlongX({{0, 100}, {0.6, 90}, {1.5, 80}, {2.5, 70}});
  settings::SegmentFilter segments;
  segments.segmentPathMin = 1;
  TrackStatistics statistics;
  std::optional<SelectedSegment> s = Filter(Track(v), nullptr, &segments, true, &statistics);
  ASSERT_TRUE(s);
  EXPECT_TRUE(s->interpolatedStart);
  EXPECT_FALSE(s->interpolatedEnd);
  EXPECT_EQ(s->first, 2);
  EXPECT_DOUBLE_EQ(s->start.x, 1.0);
  EXPECT_EQ(s->start.energy, 90);  // the energy of the earlier vertex
  EXPECT_EQ(statistics.rows[kInitialCollisionsRow].maximum, 1);
  EXPECT_EQ(statistics.rows[kCollisionsRow].maximum, 2);
  EXPECT_DOUBLE_EQ(statistics.rows[kPathRow].maximum, 1.5);
  EXPECT_DOUBLE_EQ(statistics.rows[kInitialPathRow].maximum, 1.0);
  EXPECT_DOUBLE_EQ(statistics.rows[kMeanFreePathRow].maximum, (2.5 - 0.6) / 2);

  segments.segmentPathMax = 2;
  s = Filter(Track(v), nullptr, &segments);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->last, 2);
  EXPECT_TRUE(s->interpolatedEnd);
  EXPECT_DOUBLE_EQ(s->end.x, 2.0);

  // Both ends inside one piece: no vertex of the track is in the segment.
  const std::vector<TrackVertex> piece = AlongX({{0, 100}, {2, 50}});
  segments.segmentPathMax = 1.5;
  TrackStatistics pieceStatistics;
  s = Filter(Track(piece), nullptr, &segments, true, &pieceStatistics);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->first, 1);
  EXPECT_EQ(s->last, 0);
  EXPECT_DOUBLE_EQ(s->start.x, 1.0);
  EXPECT_DOUBLE_EQ(s->end.x, 1.5);
  EXPECT_EQ(pieceStatistics.rows[kCollisionsRow].maximum, 0);
  EXPECT_DOUBLE_EQ(pieceStatistics.rows[kPathRow].maximum, 0.5);

  // A window of no width is one: the point at that path length.
  segments.segmentPathMin = segments.segmentPathMax = 1;
  s = Filter(Track(v), nullptr, &segments);
  ASSERT_TRUE(s);
  EXPECT_DOUBLE_EQ(s->start.x, 1.0);
  EXPECT_DOUBLE_EQ(s->end.x, 1.0);

  segments.segmentPathMin = 3;
  segments.segmentPathMax = -1;
  EXPECT_FALSE(Filter(Track(v), nullptr, &segments));  // never reaches 3 cm
}

TEST(TrackFilter, VertexOnThePathBoundIsNotInterpolated) {
  // 0.1 + 0.1 + 0.1 is a little above 0.3 in doubles.
  const std::vector<TrackVertex> v = AlongX({{0, 4}, {0.1, 3}, {0.2, 2}, {0.3, 1}, {0.4, 0}});
  settings::SegmentFilter segments;
  segments.segmentPathMin = 0.3;
  segments.segmentPathMax = 0.4;
  std::optional<SelectedSegment> s = Filter(Track(v), nullptr, &segments);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->first, 3);
  EXPECT_FALSE(s->interpolatedStart);
  EXPECT_EQ(s->last, 4);
  EXPECT_FALSE(s->interpolatedEnd);
}

TEST(TrackFilter, OrderDecidesWhatTheBoundsJudge) {
  const std::vector<TrackVertex> v = AlongX({{0, 2e6}, {1, 1.5e6}, {2, 8e5}, {3, 4e5}, {4, 5e4}});
  settings::TrackFilter filter;
  filter.trackEstartMax = 1e6;
  settings::SegmentFilter segments;
  segments.segmentEmin = 1e5;
  segments.segmentEmax = 1e6;
  EXPECT_FALSE(Filter(Track(v), &filter, &segments, true));
  EXPECT_TRUE(Filter(Track(v), &filter, &segments, false));
  // Without a segment block the whole track is judged whatever the order.
  EXPECT_FALSE(Filter(Track(v), &filter, nullptr, false));
}

// Tracks of every length up to 40, odd and even, at random: the path is the
// sum of the pieces' lengths, added in order from the first vertex.
TEST(TrackFilter, PathsAddTheirPiecesInOrder) {
  std::mt19937 random(13);
  std::uniform_real_distribution<double> coordinate(-50, 50);
  for (int count = 2; count <= 40; ++count) {
    std::vector<TrackVertex> vertices;
    for (int k = 0; k < count; ++k)
      vertices.push_back({coordinate(random), coordinate(random) * 1e-3, coordinate(random) * 1e3, 1e6 - k});
    double expected = 0;
    for (int k = 1; k < count; ++k) {
      const double dx = vertices[k - 1].x - vertices[k].x, dy = vertices[k - 1].y - vertices[k].y,
                   dz = vertices[k - 1].z - vertices[k].z;
      expected += std::sqrt(dx * dx + dy * dy + dz * dz);
    }
    TrackStatistics statistics;
    ASSERT_TRUE(Filter(Track(vertices), nullptr, nullptr, true, &statistics)) << count;
    EXPECT_EQ(statistics.rows[kPathRow].count, 1);
    EXPECT_EQ(statistics.rows[kPathRow].maximum, expected) << count;
  }
}

}  // namespace
}  // namespace tessarin::tracks
