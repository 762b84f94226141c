// Counting the tracks of a large track data file with the default filter:
// from the file with and without keeping a copy in memory, and from the
// copy after a filter change. Prints one line per measurement.
//
//   bench_track_count TRACK-FILE

#include <cstdio>

#include "reading_timing.h"
#include "tracks/trackset_data.h"
#include "tracks/track_reader.h"

namespace {

using namespace tessarin;

using bench::Measure;
using bench::Timing;

void PrintReading(const char* label, const Timing& t, double megabytes, int selected) {
  std::printf("%s %8.3f s wall %7.1f MB/s, %8.3f s cpu %7.1f MB/s, %d tracks selected\n", label, t.wall,
              megabytes / t.wall, t.cpu, megabytes / t.cpu, selected);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: bench_track_count TRACK-FILE\n", stderr);
    return 2;
  }
  const double megabytes = bench::FileMegabytes(argv[1]);
  if (megabytes < 0) return 1;
  tracks::TrackReadingRequest request;
  request.path = argv[1];
  tracks::TrackStatistics statistics;
  tracks::TRACKSETDATA copy;

  request.keepTrackDataInMemory = false;
  tracks::TrackReadingOutcome outcome;
  const Timing fileOnly = Measure([&] { outcome = tracks::ReadTracks(request, copy, statistics); });
  for (const tracks::ReadingMessage& message : outcome.messages) std::fprintf(stderr, "%s\n", message.text.c_str());
  PrintReading("file, copy off:     ", fileOnly, megabytes, statistics.tracks);

  request.keepTrackDataInMemory = true;
  const Timing fileWithCopy = Measure([&] { outcome = tracks::ReadTracks(request, copy, statistics); });
  PrintReading("file, copy on:      ", fileWithCopy, megabytes, statistics.tracks);

  long long vertices = 0;
  for (const tracks::TrackRecord& record : copy.records) vertices += record.vertexCount;
  const double copyBytes = static_cast<double>(copy.vertices.BytesReserved() +
                                               copy.records.capacity() * sizeof(tracks::TrackRecord) +
                                               copy.firstTrack.capacity() * sizeof(std::int32_t));
  const double allowance = 1.2 * 32.0 * static_cast<double>(vertices) + 64.0 * copy.tracks;
  std::printf("copy in memory:      %8.1f MB for %d tracks, %lld vertices (limit %.1f MB: %.3f of it)\n",
              copyBytes / 1e6, copy.tracks, vertices, allowance / 1e6, copyBytes / allowance);

  request.filter.originTypeMask = 4095;  // a filter change: every type
  const Timing fromCopy = Measure([&] { outcome = tracks::ReadTracks(request, copy, statistics); });
  std::printf("copy after a change: %8.3f s wall, %8.3f s cpu, %d tracks selected%s\n", fromCopy.wall, fromCopy.cpu,
              statistics.tracks, outcome.fromMemory ? "" : " (NOT from memory)");
  // The reading the copy spares a set that keeps it is the one that made
  // it; the one without a copy is the stricter comparison.
  std::printf("  faster than the file with the copy on:  %.1fx (wall) %.1fx (cpu)\n",
              fileWithCopy.wall / fromCopy.wall, fileWithCopy.cpu / fromCopy.cpu);
  std::printf("  faster than the file with the copy off: %.1fx (wall) %.1fx (cpu)\n", fileOnly.wall / fromCopy.wall,
              fileOnly.cpu / fromCopy.cpu);
  return 0;
}
