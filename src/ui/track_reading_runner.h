#pragma once
// Runs a reading of track data while the window waits: the desktop starts a
// worker thread behind the progress dialog, whose Stop button sets the stop
// flag; tests and the headless program run it at once on the calling thread.

#include <atomic>
#include <functional>

#include "tracks/reading_progress.h"

namespace tessarin::ui {

class TrackReadingRunner {
 public:
  virtual ~TrackReadingRunner() = default;
  // Returns when `reading` has ended. `reading` gets the progress display
  // (or none) to report to.
  virtual void Run(const std::function<void(tracks::ReadingProgress*)>& reading, std::atomic<bool>& stop) = 0;
};

class ImmediateTrackReadingRunner : public TrackReadingRunner {
 public:
  void Run(const std::function<void(tracks::ReadingProgress*)>& reading, std::atomic<bool>&) override {
    reading(nullptr);
  }
};

}  // namespace tessarin::ui
