#pragma once
// The pieces of a reading that the file and the in-memory copy share.

#include <cstdint>

#include "tracks/track_line_source.h"
#include "tracks/track_reader.h"

namespace tessarin::tracks {

// Updates the progress at most once a second, the first time after a second.
class ProgressMeter {
 public:
  explicit ProgressMeter(const TrackReadingRequest& request);
  // Cheap enough to call for every vertex: the clock is asked only now and then.
  void Tick(double fraction) {
    if (progress_ != nullptr && ++calls_ % kCallsPerClockLook == 0) Look(fraction);
  }
  // Asks the clock now; for callers that come by seldom.
  void Look(double fraction);

 private:
  static constexpr std::uint32_t kCallsPerClockLook = 4096;

  ReadingProgress* progress_;
  platform::Clock& clock_;
  double lastUpdate_;
  std::uint32_t calls_ = 0;
};

[[nodiscard]] inline bool StopRequested(const TrackReadingRequest& request) {
  return request.stop != nullptr && request.stop->load(std::memory_order_relaxed);
}

// Hands a track in range to the filter, and a selected one to the sink. An
// older-layout escape track first has its direction turned into a point.
void PassTrack(const TrackInput& track, int layout, const TrackReadingRequest& request, TrackStatistics& statistics);

struct [[nodiscard]] FileReadingResult {
  bool formatError = false;
  int historyNumber = 0;               // 1-based, for the message
  std::int64_t sourceParticle = 0;     // the last one read
  bool stoppedBeforeEnd = false;       // Stop, with more lines left
};

// Reads the lines of a track data file; fills `copy` when the request keeps
// the data in memory.
FileReadingResult ReadTrackLines(LineSource& lines, std::uint64_t fileSize, const TrackReadingRequest& request,
                                 TRACKSETDATA& copy, TrackStatistics& statistics);

// Reads the tracks in range from the copy. Returns false when stopped.
[[nodiscard]] bool ReadTrackCopy(const TRACKSETDATA& copy, const TrackReadingRequest& request,
                   TrackStatistics& statistics);

}  // namespace tessarin::tracks
