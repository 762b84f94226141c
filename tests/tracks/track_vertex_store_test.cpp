// The vertex store of a copy of track data: tracks over many blocks (the
// later ones made ready on another thread), a track longer than a block, and
// a store cleared or trimmed while a block is being made ready. The record
// list, grown and trimmed by whole huge pages.

#include <gtest/gtest.h>

#include <span>
#include <vector>

#include "tracks/trackset_data.h"

namespace tessarin::tracks {
namespace {

std::vector<TrackVertex> MadeUpTrack(int number, int length) {
  std::vector<TrackVertex> vertices;
  for (int k = 0; k < length; ++k) vertices.push_back({1.0 * number, 1.0 * k, -1.0 * k, 1e6 - number - k});
  return vertices;
}

TEST(TrackVertexStore, TracksOverManyBlocksComeBackAsTheyWent) {
  TrackVertexStore store;
  TrackRecords records;
  std::vector<int> lengths;
  for (int t = 0; t < 30000; ++t) {
    const int length = t == 12345 ? 200000 : 1 + t % 37;  // one track longer than a block
    const std::vector<TrackVertex> track = MadeUpTrack(t, length);
    TrackRecord record;
    record.vertexCount = length;
    store.Append(track, record);
    AddTrackRecord(records, record);
    lengths.push_back(length);
  }
  store.ShrinkToFit();
  FitTrackRecords(records);
  EXPECT_GT(records.back().vertexBlock, 5);
  for (int t = 0; t < 30000; ++t) {
    const std::span<const TrackVertex> vertices = store.Vertices(records[static_cast<std::size_t>(t)]);
    ASSERT_EQ(static_cast<int>(vertices.size()), lengths[static_cast<std::size_t>(t)]);
    const std::vector<TrackVertex> expected = MadeUpTrack(t, lengths[static_cast<std::size_t>(t)]);
    for (std::size_t k = 0; k < vertices.size(); ++k) {
      ASSERT_EQ(vertices[k].x, expected[k].x) << t;
      ASSERT_EQ(vertices[k].y, expected[k].y) << t;
      ASSERT_EQ(vertices[k].energy, expected[k].energy) << t;
    }
  }
}

TEST(TrackRecords, ManyRecordsKeepTheirOrderAndWasteLessThanAPage) {
  const std::size_t perPage = HugePageAllocator<TrackRecord>::kHugePage / sizeof(TrackRecord);
  for (const std::size_t count : {std::size_t{5}, perPage - 1, perPage, 3 * perPage + 17}) {
    TrackRecords records;
    records.reserve(10000);  // as a reading starts
    for (std::size_t i = 0; i < count; ++i) {
      TrackRecord record;
      record.sourceParticle = static_cast<std::int64_t>(i) * 7;
      record.vertexCount = static_cast<std::int32_t>(i);
      AddTrackRecord(records, record);
    }
    FitTrackRecords(records);
    ASSERT_EQ(records.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
      ASSERT_EQ(records[i].vertexCount, static_cast<std::int32_t>(i));
      ASSERT_EQ(records[i].sourceParticle, static_cast<std::int64_t>(i) * 7);
    }
    if (count < perPage) {
      EXPECT_EQ(records.capacity(), count);
    } else {
      EXPECT_EQ(records.capacity() % perPage, 0u) << count;
      EXPECT_LT(records.capacity() - count, perPage) << count;
    }
  }
}

TEST(TrackVertexStore, ClearedOrMovedWhileTheNextBlockIsMadeReady) {
  for (int round = 0; round < 20; ++round) {
    TrackVertexStore store;
    const std::vector<TrackVertex> track = MadeUpTrack(round, 40000);
    TrackRecord record;
    for (int i = 0; i < 3; ++i) store.Append(track, record);  // the third block is being made ready now
    if (round % 2 == 0) {
      store.Clear();
      EXPECT_LT(store.BytesReserved(), 1024u);  // no block left, nor the one made ready
    } else {
      TrackVertexStore moved = std::move(store);
      moved.Append(track, record);
      EXPECT_EQ(moved.Vertices(record)[39999].y, 39999.0);
    }
  }
}

}  // namespace
}  // namespace tessarin::tracks
