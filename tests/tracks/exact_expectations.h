#pragma once
// Results that must agree to the bit: numbers, vertices, and statistics (every count,
// and every row's extremes, sums, average and deviation).

#include <gtest/gtest.h>

#include <cstring>

#include "tracks/trackset_data.h"
#include "tracks/track_statistics.h"

namespace tessarin::tracks {

inline bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

inline bool SameVertex(const TrackVertex& a, const TrackVertex& b) {
  return SameBits(a.x, b.x) && SameBits(a.y, b.y) && SameBits(a.z, b.z) && SameBits(a.energy, b.energy);
}

inline void ExpectSameStatistics(const TrackStatistics& a, const TrackStatistics& b) {
  EXPECT_EQ(a.tracks, b.tracks);
  EXPECT_EQ(a.histories, b.histories);
  EXPECT_EQ(a.lastHistory, b.lastHistory);
  EXPECT_EQ(a.tracksWithCollisions, b.tracksWithCollisions);
  EXPECT_EQ(a.tracksWithLength, b.tracksWithLength);
  EXPECT_EQ(a.escapeTracks, b.escapeTracks);
  EXPECT_EQ(a.truncatedTracks, b.truncatedTracks);
  for (std::size_t row = 0; row < a.rows.size(); ++row) {
    const StatisticValues& x = a.rows[row];
    const StatisticValues& y = b.rows[row];
    EXPECT_EQ(x.count, y.count) << row;
    EXPECT_TRUE(SameBits(x.minimum, y.minimum) && SameBits(x.maximum, y.maximum)) << row;
    EXPECT_TRUE(SameBits(x.sum, y.sum) && SameBits(x.sumOfSquares, y.sumOfSquares)) << row;
    EXPECT_TRUE(SameBits(x.average, y.average) && SameBits(x.deviation, y.deviation)) << row;
  }
}

}  // namespace tessarin::tracks
