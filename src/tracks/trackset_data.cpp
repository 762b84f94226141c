#include "tracks/trackset_data.h"

#include <algorithm>

namespace tessarin::tracks {
namespace {

// 2 MB blocks, one huge page each: large enough that block ends waste
// little, small enough that the last, partly filled block costs little.
constexpr std::size_t kVerticesPerBlock = std::size_t{1} << 16;

constexpr std::size_t kRecordsPerPage = HugePageAllocator<TrackRecord>::kHugePage / sizeof(TrackRecord);

std::size_t WholePages(std::size_t records) {
  return (records + kRecordsPerPage - 1) / kRecordsPerPage * kRecordsPerPage;
}

}  // namespace

// Its pages touched, one byte per small page (a huge page is cleared whole
// at its first touch).
TrackVertexStore::Block TrackVertexStore::ReadyBlock() {
  Block block;
  block.reserve(kVerticesPerBlock);
  volatile char* const bytes = reinterpret_cast<char*>(block.data());
  for (std::size_t at = 0; at < kVerticesPerBlock * sizeof(TrackVertex); at += 4096) bytes[at] = 0;
  return block;
}

void TrackVertexStore::Append(std::span<const TrackVertex> vertices, TrackRecord& record) {
  if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < vertices.size()) {
    if (nextBlock_.valid() && vertices.size() <= kVerticesPerBlock) {
      blocks_.push_back(nextBlock_.get());
    } else {
      blocks_.emplace_back();
      blocks_.back().reserve(std::max(kVerticesPerBlock, vertices.size()));
    }
    // A store that needs a second block will likely need more.
    if (blocks_.size() >= 2 && !nextBlock_.valid()) nextBlock_ = std::async(std::launch::async, ReadyBlock);
  }
  Block& block = blocks_.back();
  record.vertexBlock = static_cast<std::int32_t>(blocks_.size() - 1);
  record.firstVertex = static_cast<std::int32_t>(block.size());
  block.insert(block.end(), vertices.begin(), vertices.end());
}

std::span<const TrackVertex> TrackVertexStore::Vertices(const TrackRecord& record) const {
  const Block& block = blocks_[static_cast<std::size_t>(record.vertexBlock)];
  return {block.data() + record.firstVertex, static_cast<std::size_t>(record.vertexCount)};
}

void TrackVertexStore::ShrinkToFit() {
  nextBlock_ = {};  // not needed any more: waits for it, and lets it go
  if (!blocks_.empty()) blocks_.back().shrink_to_fit();
  blocks_.shrink_to_fit();
}

void TrackVertexStore::Clear() {
  nextBlock_ = {};
  blocks_.clear();
}

std::size_t TrackVertexStore::BytesReserved() const {
  std::size_t bytes = blocks_.capacity() * sizeof(Block);
  for (const Block& block : blocks_) bytes += block.capacity() * sizeof(TrackVertex);
  return bytes;
}

void AddTrackRecord(TrackRecords& records, const TrackRecord& record) {
  if (records.size() == records.capacity() && records.capacity() >= kRecordsPerPage / 4)
    records.reserve(WholePages(2 * records.capacity()));
  records.push_back(record);
}

void FitTrackRecords(TrackRecords& records) {
  const std::size_t fitted = records.size() < kRecordsPerPage ? records.size() : WholePages(records.size());
  if (records.capacity() == fitted) return;
  TrackRecords kept;
  kept.reserve(fitted);
  kept.assign(records.begin(), records.end());
  records.swap(kept);
}

void TRACKSETDATA::Release() {
  fileSize = 0;
  histories = 0;
  tracks = 0;
  std::vector<std::int32_t>().swap(firstTrack);
  TrackRecords().swap(records);
  vertices.Clear();
}

}  // namespace tessarin::tracks
