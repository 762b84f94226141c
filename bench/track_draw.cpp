// Drawing the tracks of a large track data file into RT script track files,
// against counting them: the drawing must be bounded by the reading. Also
// checks that the files stay within the total vertex allowance and that a
// Stop during the drawing ends it at once with complete files.
//
//   bench_track_draw TRACK-FILE [TOTAL-ALLOWANCE [TRACK-ALLOWANCE]]
//
// Defaults: the parameter set's, 1000000 and 10000 vertices. The files go to
// a fresh folder under /tmp, removed afterwards.


#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>
#include <algorithm>

#include "reading_timing.h"
#include "render/track_drawing.h"
#include "tracks/trackset_data.h"
#include "tracks/track_reader.h"

namespace {

// A timing of a reading that failed would mean nothing.
void ExpectWholeReading(const tessarin::tracks::TrackReadingOutcome& outcome) {
  if (outcome.missingFile || outcome.formatError || outcome.interrupted) {
    std::fprintf(stderr, "the generated track file was not read whole\n");
    std::exit(1);
  }
}

using namespace tessarin;
using bench::Measure;
using bench::Timing;

struct FileCheck {
  long long points = 0;
  bool allSent = true;
};

// Counts the points of the files written and sees that every curve is sent.
FileCheck CheckFiles(const render::TrackFileNames& names) {
  FileCheck check;
  for (const std::string& name : names) {
    if (name.empty()) continue;
    std::ifstream in(name);
    std::string line, last;
    // The points are the rows of the curves' data blocks: "pen x y z".
    while (std::getline(in, line)) {
      if (line.size() > 2 && (line[0] == '0' || line[0] == '1') && line[1] == ' ') ++check.points;
      last = line;
    }
    if (last != "vdraw send") check.allSent = false;
  }
  return check;
}

struct Drawn {
  Timing timing;
  render::TrackFileNames files;
  long long pointsCounted = 0;  // what the allowance counts (escape extensions not included)
  int tracksDrawn = 0;
  int selected = 0;
  std::vector<tracks::ReadingMessage> messages;
};

Drawn Draw(tracks::TrackReadingRequest request, const render::TrackDrawingSettings& settings) {
  render::TrackDrawing drawing(settings);
  request.sink = &drawing;
  tracks::TRACKSETDATA copy;
  tracks::TrackStatistics statistics;
  Drawn drawn;
  drawn.timing = Measure([&] { ExpectWholeReading(tracks::ReadTracks(request, copy, statistics)); });
  drawn.files = drawing.FileNames();
  drawn.pointsCounted = drawing.PointsWritten();
  drawn.tracksDrawn = drawing.TracksDrawn();
  drawn.selected = statistics.tracks;
  drawn.messages = drawing.Messages();
  return drawn;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fputs("usage: bench_track_draw TRACK-FILE [TOTAL-ALLOWANCE [TRACK-ALLOWANCE]]\n", stderr);
    return 2;
  }
  const double megabytes = bench::FileMegabytes(argv[1]);
  if (megabytes < 0) return 1;
  char folderTemplate[] = "/tmp/track_draw.XXXXXX";
  if (::mkdtemp(folderTemplate) == nullptr) return 1;
  const std::string folder = folderTemplate;

  render::TrackDrawingSettings settings;
  settings.basePath = folder + "/bench";
  settings.trackDataPath = argv[1];
  settings.nVerticesTotalMax = argc > 2 ? std::atoi(argv[2]) : 1000000;
  settings.nVerticesTrackMax = argc > 3 ? std::atoi(argv[3]) : 10000;
  settings.worldSize = 1000;

  tracks::TrackReadingRequest request;
  request.path = argv[1];
  request.keepTrackDataInMemory = false;  // every run reads the file
  request.escapeExtension = 2 * settings.worldSize;

  // Counting and drawing alternate, three times each, and the fastest run of
  // each counts: on a shared machine the slow runs measure the neighbours.
  Timing count{1e300, 1e300};
  Timing draw{1e300, 1e300};
  Drawn drawn;
  int selected = 0;
  for (int round = 0; round < 3; ++round) {
    tracks::TRACKSETDATA copy;
    tracks::TrackStatistics statistics;
    const Timing counted = Measure([&] { ExpectWholeReading(tracks::ReadTracks(request, copy, statistics)); });
    selected = statistics.tracks;
    drawn = Draw(request, settings);
    count = {std::min(count.wall, counted.wall), std::min(count.cpu, counted.cpu)};
    draw = {std::min(draw.wall, drawn.timing.wall), std::min(draw.cpu, drawn.timing.cpu)};
  }
  std::printf("count: %8.3f s wall %7.1f MB/s, %8.3f s cpu, %d tracks selected\n", count.wall, megabytes / count.wall,
              count.cpu, selected);
  const FileCheck check = CheckFiles(drawn.files);
  std::printf("draw:  %8.3f s wall %7.1f MB/s, %8.3f s cpu, %d of %d tracks drawn, %lld points (allowance %d)\n",
              draw.wall, megabytes / draw.wall, draw.cpu, drawn.tracksDrawn, drawn.selected, drawn.pointsCounted,
              settings.nVerticesTotalMax);
  std::printf("draw / count (fastest of 3 each): %.3f wall, %.3f cpu\n", draw.wall / count.wall, draw.cpu / count.cpu);
  const bool withinAllowance = settings.nVerticesTotalMax < 0 || drawn.pointsCounted <= settings.nVerticesTotalMax;
  std::printf("files: %lld points written (with escape extensions), every curve sent: %s, within the allowance: %s\n",
              check.points, check.allSent ? "yes" : "NO", withinAllowance ? "yes" : "NO");

  // Stop half-way through the counting time.
  std::atomic<bool> stop{false};
  request.stop = &stop;
  for (const tracks::ReadingMessage& message : drawn.messages) std::printf("  message: %s\n", message.text.c_str());
  const double stopAfter = count.wall / 2;
  std::chrono::steady_clock::time_point stoppedAt;
  std::thread stopper([&] {
    std::this_thread::sleep_for(std::chrono::duration<double>(stopAfter));
    stoppedAt = std::chrono::steady_clock::now();
    stop.store(true, std::memory_order_release);
  });
  const Drawn stopped = Draw(request, settings);
  const auto ended = std::chrono::steady_clock::now();
  stopper.join();
  const FileCheck stoppedCheck = CheckFiles(stopped.files);
  for (const tracks::ReadingMessage& message : stopped.messages) std::printf("  message: %s\n", message.text.c_str());
  std::printf("stop after %.3f s: ended %.4f s after the Stop, %d tracks drawn, every curve sent: %s\n", stopAfter,
              std::chrono::duration<double>(ended - stoppedAt).count(), stopped.tracksDrawn,
              stoppedCheck.allSent ? "yes" : "NO");

  std::filesystem::remove_all(folder);
  return withinAllowance && check.allSent && stoppedCheck.allSent ? 0 : 1;
}
