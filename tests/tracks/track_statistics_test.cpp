// Finalising the statistics: averages, the deviation of the average, its
// zero rules, and the stopping power.

#include <gtest/gtest.h>

#include "tracks/track_statistics.h"

namespace tessarin::tracks {
namespace {

SegmentQuantities Quantities(int history, double initialEnergy, double finalEnergy, int collisions = 1) {
  SegmentQuantities q;
  q.history = history;
  q.initialEnergy = q.trackInitialEnergy = initialEnergy;
  q.finalEnergy = finalEnergy;
  q.collisions = collisions;
  q.points = collisions + 1;
  q.path = 1;
  return q;
}

TEST(TrackStatistics, DeviationIsThatOfTheAverage) {
  TrackStatistics s;
  s.Add(Quantities(0, 1e6, 0));
  s.Add(Quantities(0, 3e6, 0));
  s.Finalise(nullptr);
  EXPECT_DOUBLE_EQ(s.rows[kInitialEnergyRow].average, 2e6);
  EXPECT_DOUBLE_EQ(s.rows[kInitialEnergyRow].deviation, 1e6);  // sqrt(2e12 / (1 x 2))
  EXPECT_EQ(s.histories, 1);
  EXPECT_EQ(s.tracks, 2);
}

TEST(TrackStatistics, DeviationIsZeroForOneValueOrEqualValues) {
  TrackStatistics one;
  one.Add(Quantities(0, 1e6, 0));
  one.Finalise(nullptr);
  EXPECT_EQ(one.rows[kInitialEnergyRow].deviation, 0);
  TrackStatistics equal;
  for (int h = 0; h < 7; ++h) equal.Add(Quantities(h, 0.1 * 3, 0.1, 3));
  equal.Finalise(nullptr);
  EXPECT_EQ(equal.histories, 7);
  EXPECT_EQ(equal.rows[kInitialEnergyRow].deviation, 0);
  EXPECT_EQ(equal.rows[kCollisionsRow].deviation, 0);
  EXPECT_EQ(equal.rows[kLossPerCollisionRow].deviation, 0);
  EXPECT_EQ(equal.truncatedTracks, 7);
}

TEST(TrackStatistics, RowsNeedLengthOrCollisions) {
  TrackStatistics s;
  SegmentQuantities point = Quantities(0, 5, 5, 0);
  s.Add(point);
  s.Finalise(nullptr);
  EXPECT_EQ(s.rows[kPathRow].count, 0);
  EXPECT_EQ(s.rows[kMeanFreePathRow].count, 0);
  EXPECT_EQ(s.rows[kInitialPathRow].count, 1);
  EXPECT_EQ(s.tracksWithLength, 0);
}

TEST(TrackStatistics, StoppingPowerNeedsAPathWindow) {
  TrackStatistics s;
  s.Add(Quantities(0, 100, 60));
  s.Add(Quantities(1, 100, 80));
  settings::SegmentFilter segments;
  segments.segmentPathMin = 1;
  segments.segmentPathMax = 3;
  s.Finalise(&segments);
  EXPECT_DOUBLE_EQ(s.rows[kStoppingPowerRow].minimum, 10);
  EXPECT_DOUBLE_EQ(s.rows[kStoppingPowerRow].maximum, 20);
  EXPECT_DOUBLE_EQ(s.rows[kStoppingPowerRow].average, 15);
  EXPECT_DOUBLE_EQ(s.rows[kStoppingPowerRow].deviation, 5);  // sqrt((40^2+20^2 - 60x30) / 2) / 2
  s.Finalise(nullptr);
  EXPECT_EQ(s.rows[kStoppingPowerRow].count, 0);
}

}  // namespace
}  // namespace tessarin::tracks
