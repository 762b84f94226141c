#pragma once
// Writes the points of drawn tracks as vdraw lines into their files, on a
// thread of its own: formatting a million numbers as "%.14g" is a good part
// of a drawing, and the reading's thread should only have to collect them.
// Points reach each file in the order they were handed over.

#include <condition_variable>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_replacement.h"

namespace tessarin::render {

class TrackPointWriter {
 public:
  TrackPointWriter() = default;
  // Waits for what was handed over (see Flush), without its failures.
  ~TrackPointWriter();
  TrackPointWriter(const TrackPointWriter&) = delete;
  TrackPointWriter& operator=(const TrackPointWriter&) = delete;

  // One point of a track for `file`, which stays open until Flush; `first`
  // begins a new line of the curve.
  void Add(platform::FileReplacement* file, bool first, double x, double y, double z) {
    collecting_.push_back({file, x, y, z, first});
  }
  // After the last point of a track: whole tracks go to the writing thread.
  void EndTrack() {
    if (collecting_.size() >= kBatchPoints) Send();
  }
  // Returns when every point handed over is in its file (as far as its
  // buffer goes); rethrows what went wrong on the writing thread.
  void Flush();

 private:
  struct Point {
    platform::FileReplacement* file;
    double x, y, z;
    bool first;
  };
  // Large enough to make handing over cheap, small enough that a Stop is not
  // kept waiting by the points still queued.
  static constexpr std::size_t kBatchPoints = 8192;
  static constexpr std::size_t kMostQueued = 4;

  void Send();
  void WriterLoop();
  static void AppendLine(std::string& text, bool first, double x, double y, double z);
  static void Write(const std::vector<Point>& points, std::string& text);

  std::vector<Point> collecting_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::vector<Point>> queue_;  // oldest first
  std::vector<std::vector<Point>> spare_;  // emptied batches, for reuse
  bool writing_ = false;                   // the thread is writing a batch
  bool quit_ = false;
  std::exception_ptr failure_;
  std::thread thread_;
};

}  // namespace tessarin::render
