#pragma once
// The in-memory track data of one parameter set. The controller keeps one per
// set, created empty with it and discarded with it; it is never saved. The
// track reader gives it its contents.
//
// Vertices live in a few large blocks rather than in one array per track, so
// that a copy of a gigabyte file costs little more than its numbers.

#include <cstdint>
#include <future>
#include <span>
#include <string>
#include <vector>

#include "tracks/huge_page_allocator.h"

namespace tessarin::tracks {

inline constexpr std::int32_t kCurrentTrackLayout = 102;
inline constexpr std::int32_t kOlderTrackLayout = 101;

struct TrackVertex {
  double x = 0, y = 0, z = 0;
  double energy = 0;  // eV after the collision at the vertex
};

// End of a track: escaped (its last vertex is the escape point), stopped, or
// ended with energy left (in the older layout: escaped, before its last
// vertex is turned from a direction into a point).
inline constexpr std::int8_t kTrackEscaped = 1;
inline constexpr std::int8_t kTrackStopped = 0;
inline constexpr std::int8_t kTrackEnergyLeft = -1;

struct TrackRecord {
  std::int64_t sourceParticle = 0;
  std::int32_t vertexBlock = 0;   // which block of the vertex store
  std::int32_t firstVertex = 0;   // position in that block
  std::int32_t vertexCount = 0;
  std::int32_t generation = 0;
  std::int32_t typeMask = 1;      // 1 << type
  std::int8_t type = 0;
  std::int8_t endFlag = kTrackStopped;
};

// Append-only storage of the vertices of many tracks; every track's vertices
// stay contiguous. Once a store has filled a block, the next one is made
// ready on a thread of its own: the kernel clears a block's pages when they
// are first touched, and that should not hold up the reading.
class TrackVertexStore {
 public:
  // Copies `vertices` in and returns where they went.
  void Append(std::span<const TrackVertex> vertices, TrackRecord& record);
  std::span<const TrackVertex> Vertices(const TrackRecord& record) const;
  // After the last Append: gives back what is not used.
  void ShrinkToFit();
  void Clear();
  std::size_t BytesReserved() const;

 private:
  using Block = std::vector<TrackVertex, HugePageAllocator<TrackVertex>>;
  static Block ReadyBlock();

  std::vector<Block> blocks_;
  std::future<Block> nextBlock_;
};

// The records of a copy. A long list grows by whole 2 MB pages, so that it
// lives in huge pages: a million tracks would otherwise cost tens of
// thousands of page faults.
using TrackRecords = std::vector<TrackRecord, HugePageAllocator<TrackRecord>>;
void AddTrackRecord(TrackRecords& records, const TrackRecord& record);
// After the last AddTrackRecord: gives back what is not used, keeping
// whole pages.
void FitTrackRecords(TrackRecords& records);

struct TRACKSETDATA {
  std::string fileName;
  std::int64_t fileSize = 0;  // -1: incomplete copy after a stopped reading; 0: none
  std::int32_t layout = kCurrentTrackLayout;
  std::int64_t lastWriteTime = 0;  // nanoseconds since the epoch
  std::int32_t histories = 0;
  std::vector<std::int32_t> firstTrack;  // per history, plus a closing entry = tracks
  std::int32_t tracks = 0;
  TrackRecords records;
  TrackVertexStore vertices;

  // Drops the tracks and marks the copy empty.
  void Release();
};

}  // namespace tessarin::tracks
