#pragma once
// Writes the points of drawn tracks into their files, on a thread of its
// own: formatting a million numbers as "%.14g" is a good part of a drawing,
// and the reading's thread should only have to collect them. Points reach
// each file in the order they were handed over.

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_replacement.h"

namespace tessarin::render {

// How a point is written: a row of a vdraw data block ("pen x y z", the
// numbers as "%.14g"), or a plot3 move or draw command with the coordinates
// as big-endian doubles.
enum class TrackPointFormat { VdrawBlock, Plot3 };

class TrackPointWriter {
 public:
  // The text that ends the curve of a particle type and opens its next one,
  // numbered from 2.
  using CurveBreak = std::function<std::string(int type, std::uint32_t curve)>;

  TrackPointWriter(TrackPointFormat format, CurveBreak curveBreak)
      : format_(format), curveBreak_(std::move(curveBreak)) {}
  // Waits for what was handed over (see Flush), without its failures.
  ~TrackPointWriter();
  TrackPointWriter(const TrackPointWriter&) = delete;
  TrackPointWriter& operator=(const TrackPointWriter&) = delete;

  // One point of a track for `file`, which stays open until Flush; `first`
  // begins a new line of the curve.
  void Add(platform::FileReplacement* file, bool first, double x, double y, double z) {
    collecting_.push_back({file, x, y, z, first, 0, 0});
  }
  // The first point of a track that starts curve number `curve` of particle
  // type `type` in its file.
  void AddOpeningCurve(platform::FileReplacement* file, int type, std::uint32_t curve, double x, double y, double z) {
    collecting_.push_back({file, x, y, z, true, static_cast<std::uint8_t>(type), curve});
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
    std::uint8_t type;    // with `curve`: the particle type
    std::uint32_t curve;  // 0, or the number of the curve this point opens
  };
  // Large enough to make handing over cheap, small enough that a Stop is not
  // kept waiting by the points still queued.
  static constexpr std::size_t kBatchPoints = 8192;
  static constexpr std::size_t kMostQueued = 4;

  void Send();
  void WriterLoop();
  static void AppendBlockRow(std::string& text, bool first, double x, double y, double z);
  static void AppendPlotCommand(std::string& text, bool first, double x, double y, double z);
  void Write(const std::vector<Point>& points, std::string& text) const;

  const TrackPointFormat format_;
  const CurveBreak curveBreak_;
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
