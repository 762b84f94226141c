// Reads fuzzed bytes as a track data file, once keeping a copy in memory and
// once without. Whatever the bytes, the copy must hang together (a record
// per track, histories in order, the closing entry), and both readings must
// select the same tracks: the copy changes how the file is kept, never what
// is read from it.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "tracks/track_reader.h"

namespace {

using namespace tessarin;

struct Reading {
  tracks::TrackReadingOutcome outcome;
  tracks::TrackStatistics statistics;
  tracks::TRACKSETDATA copy;
};

void Read(const std::string& text, bool keep, Reading& reading) {
  tracks::TrackReadingRequest request;
  request.path = "fuzz.txt";
  request.keepTrackDataInMemory = keep;
  request.filter.originTypeMask = 4095;
  request.escapeExtension = 1500;
  reading.outcome = tracks::ReadTrackText({text.data(), text.size()}, request, reading.copy, reading.statistics);
}

bool CopyHangsTogether(const tracks::TRACKSETDATA& copy) {
  if (copy.records.size() != static_cast<std::size_t>(copy.tracks)) return false;
  if (copy.tracks == 0) return true;
  if (copy.firstTrack.size() != static_cast<std::size_t>(copy.histories) + 1) return false;
  if (copy.firstTrack.back() != copy.tracks) return false;
  for (std::size_t h = 1; h < copy.firstTrack.size(); ++h)
    if (copy.firstTrack[h - 1] > copy.firstTrack[h]) return false;
  for (const tracks::TrackRecord& record : copy.records) {
    const auto vertices = copy.vertices.Vertices(record);
    if (vertices.size() != static_cast<std::size_t>(record.vertexCount)) return false;
    // Whatever the text, no number read is "nan" or "inf".
    for (const tracks::TrackVertex& v : vertices)
      if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z) || !std::isfinite(v.energy)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of its own, so that the sanitizers see any read past the end.
  const std::string text(reinterpret_cast<const char*>(data), size);
  Reading kept, notKept;
  Read(text, true, kept);
  Read(text, false, notKept);
  if (!CopyHangsTogether(kept.copy)) __builtin_trap();
  if (kept.statistics.tracks > kept.copy.tracks && kept.copy.tracks > 0) __builtin_trap();
  if (kept.outcome.formatError != notKept.outcome.formatError) __builtin_trap();
  if (kept.statistics.tracks != notKept.statistics.tracks) __builtin_trap();
  return 0;
}
