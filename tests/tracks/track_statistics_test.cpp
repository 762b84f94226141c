// Finalising the statistics: averages, the deviation of the average, its
// zero rules, and the stopping power; blocks of tracks gathered apart.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <vector>

#include "tracks/exact_expectations.h"
#include "tracks/statistics_table.h"
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

// Tracks in the order of a reading, some skipped (not selected), histories
// running over block borders, energies at random with a few not numbers.
std::vector<SegmentQuantities> TracksOfAReading() {
  std::mt19937 random(5);
  std::uniform_real_distribution<double> energy(1e3, 1e6);
  std::vector<SegmentQuantities> tracks;
  int history = 0;
  for (int track = 0; track < 5 * (1 << TrackStatistics::kBlockShift); ++track) {
    if (random() % 3 == 0) ++history;
    if (track >= 9000 && track < 13000) continue;  // a whole block without a selected track
    if (random() % 4 == 0) continue;
    SegmentQuantities q = Quantities(history, energy(random), energy(random) / 10, static_cast<int>(random() % 5));
    q.track = track;
    q.displacement = energy(random) * 1e-6;
    if (random() % 1000 == 0) q.finalEnergy = std::numeric_limits<double>::quiet_NaN();
    tracks.push_back(q);
  }
  return tracks;
}

TEST(TrackStatistics, BlocksAppendedInOrderAddUpToTheBitAsOneReading) {
  const std::vector<SegmentQuantities> tracks = TracksOfAReading();
  TrackStatistics whole;
  for (const SegmentQuantities& q : tracks) whole.Add(q);
  whole.Finalise(nullptr);

  TrackStatistics appended;
  std::map<int, TrackStatistics> blocks;
  for (const SegmentQuantities& q : tracks) blocks[q.track >> TrackStatistics::kBlockShift].Add(q);
  appended.Append(TrackStatistics{});  // an empty block changes nothing
  for (const auto& [number, block] : blocks) appended.Append(block);
  appended.Finalise(nullptr);
  ExpectSameStatistics(appended, whole);
  EXPECT_GT(whole.histories, 1000);
}

TEST(TrackStatistics, ValuesThatAreNotNumbersAreNeverTheMinimumOrMaximum) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  TrackStatistics s;
  s.Add(Quantities(0, 2e6, nan));
  s.Add(Quantities(0, 1e6, 5));
  s.Add(Quantities(0, 3e6, nan));
  s.Add(Quantities(0, 4e6, 2));
  s.Finalise(nullptr);
  EXPECT_EQ(s.rows[kFinalEnergyRow].minimum, 2);
  EXPECT_EQ(s.rows[kFinalEnergyRow].maximum, 5);
  EXPECT_EQ(s.rows[kFinalEnergyRow].count, 4);
  EXPECT_TRUE(std::isnan(s.rows[kFinalEnergyRow].average));
  TrackStatistics none;
  none.Add(Quantities(0, 2e6, nan));
  none.Finalise(nullptr);
  EXPECT_TRUE(std::isnan(none.rows[kFinalEnergyRow].minimum));
}

}  // namespace
}  // namespace tessarin::tracks

namespace tessarin::tracks {
namespace {

// The dialog and `tracks stats` show history and track numbers counted
// from 1, as integers, with no average or deviation.
TEST(StatisticsTable, HistoryAndTrackNumbersCountFromOne) {
  TrackStatistics s;
  const int numbers[][2] = {{3, 10}, {3, 11}, {7, 12}};
  for (const auto& [history, track] : numbers) {
    SegmentQuantities q = Quantities(history, 2e6, 1e6);
    q.track = track;
    s.Add(q);
  }
  s.Finalise(nullptr);
  StatisticsTable table = MakeStatisticsTable(s, 0, 0, nullptr);
  const struct {
    int row;
    double minimum, maximum;
    const char* shownMaximum;
  } rows[] = {{kHistoryRow, 4, 8, "8"}, {kTrackRow, 11, 13, "13"}};
  for (const auto& r : rows) {
    const StatisticsTableRow& shown = table[static_cast<std::size_t>(r.row)];
    EXPECT_EQ(shown.count, 3) << r.row;
    EXPECT_EQ(shown.minimum, r.minimum) << r.row;
    EXPECT_EQ(shown.maximum, r.maximum) << r.row;
    EXPECT_FALSE(shown.average || shown.deviation || shown.sampleDeviation) << r.row;
    EXPECT_EQ(FormatStatisticCell(shown.maximum, shown.integer), r.shownMaximum) << r.row;
  }
  EXPECT_FALSE(MakeStatisticsTable(TrackStatistics{}, 0, 0, nullptr)[kHistoryRow].minimum);
}

}  // namespace
}  // namespace tessarin::tracks
