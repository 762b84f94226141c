#pragma once
// A track reading that waits for Stop: two seconds pass between looks at
// the clock, so the reading reports progress at its first look (and the
// progress dialog shows); at the second look it waits, up to twenty
// seconds, for the stop flag. The file holds 500 tracks of 40 points.

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "platform/clock.h"
#include "support/test_files.h"
#include "tracks/track_reader.h"

namespace tessarin::testing {

class WaitingClock : public platform::Clock {
 public:
  explicit WaitingClock(const std::atomic<bool>& stop) : stop_(stop) {}
  double WallSeconds() const override {
    if (++looks_ == 3) {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
      while (!stop_.load() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return 2.0 * looks_;
  }
  double ProcessorSeconds() const override { return 0; }
  void YieldProcessor() override {}

 private:
  const std::atomic<bool>& stop_;
  mutable int looks_ = 0;
};

inline constexpr int kStopTestTracks = 500;

inline void WriteStopTestTracks(const std::string& path) {
  std::string text;
  for (int h = 1; h <= kStopTestTracks; ++h) {
    text += std::to_string(h) + ": History No. " + std::to_string(h) + "\n1\n40\n";
    for (int v = 0; v < 40; ++v) text += "0 0 " + std::to_string(v) + " " + std::to_string(40 - v) + "\n";
  }
  WriteWholeFile(path, text);
}

// A reading of those tracks from `path` that waits for Stop, and what it found.
struct StopTestReading {
  explicit StopTestReading(const std::string& path) : clock(stop) {
    WriteStopTestTracks(path);
    request.path = path;
    request.stop = &stop;
    request.clock = &clock;
  }
  void Read(tracks::ReadingProgress* progress) {
    request.progress = progress;
    outcome = tracks::ReadTracks(request, copy, statistics);
  }

  std::atomic<bool> stop{false};
  WaitingClock clock;
  tracks::TrackReadingRequest request;
  tracks::TRACKSETDATA copy;
  tracks::TrackStatistics statistics;
  tracks::TrackReadingOutcome outcome;
};

}  // namespace tessarin::testing
