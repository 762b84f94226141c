#include "render/track_point_writer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <utility>

#include "render/fourteen_digits.h"
#include "render/messages.h"

namespace tessarin::render {

TrackPointWriter::~TrackPointWriter() {
  try {
    Flush();
  } catch (...) {
    // Failures were the caller's to collect with Flush.
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void TrackPointWriter::AppendBlockRow(std::string& text, bool first, double x, double y, double z) {
  std::array<char, 128> line;
  const std::string_view pen = first ? messages::kVdrawFirstPoint : messages::kVdrawNextPoint;
  char* end = std::copy(pen.begin(), pen.end(), line.data());
  for (double coordinate : {x, y, z}) {
    *end++ = ' ';
    end = WriteFourteenDigits(end, coordinate);
  }
  *end++ = '\n';
  text.append(line.data(), end);
}

void TrackPointWriter::AppendPlotCommand(std::string& text, bool first, double x, double y, double z) {
  // plot3's three-dimensional move ('O') and draw ('Q') with double
  // coordinates, stored most significant byte first.
  std::array<char, 25> command;
  command[0] = first ? 'O' : 'Q';
  std::size_t at = 1;
  for (double coordinate : {x, y, z}) {
    const auto bits = std::bit_cast<std::uint64_t>(coordinate);
    for (int shift = 56; shift >= 0; shift -= 8) command[at++] = static_cast<char>((bits >> shift) & 0xff);
  }
  text.append(command.data(), command.size());
}

void TrackPointWriter::Write(const std::vector<Point>& points, std::string& text) const {
  const auto append = format_ == TrackPointFormat::Plot3 ? &AppendPlotCommand : &AppendBlockRow;
  std::size_t begin = 0;
  while (begin < points.size()) {
    // A run of points for one file goes out in one call.
    platform::FileReplacement* const file = points[begin].file;
    text.clear();
    std::size_t end = begin;
    for (; end < points.size() && points[end].file == file; ++end) {
      const Point& point = points[end];
      if (point.curve != 0) text += curveBreak_(point.type, point.curve);
      append(text, point.first, point.x, point.y, point.z);
    }
    file->Write(text);
    begin = end;
  }
}

void TrackPointWriter::Send() {
  if (collecting_.empty()) return;
  std::unique_lock<std::mutex> lock(mutex_);
  if (!thread_.joinable()) thread_ = std::thread([this] { WriterLoop(); });
  changed_.wait(lock, [this] { return queue_.size() < kMostQueued; });
  queue_.push_back(std::move(collecting_));
  if (!spare_.empty()) {
    collecting_ = std::move(spare_.back());
    spare_.pop_back();
  }
  collecting_.clear();
  lock.unlock();
  changed_.notify_all();
}

void TrackPointWriter::Flush() {
  Send();
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return queue_.empty() && !writing_; });
  if (failure_ != nullptr) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void TrackPointWriter::WriterLoop() {
  std::string text;
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return quit_ || !queue_.empty(); });
    if (queue_.empty()) return;
    std::vector<Point> batch = std::move(queue_.front());
    queue_.erase(queue_.begin());
    writing_ = true;
    lock.unlock();
    changed_.notify_all();
    std::exception_ptr failure;
    try {
      Write(batch, text);
    } catch (...) {
      failure = std::current_exception();
    }
    batch.clear();
    lock.lock();
    if (failure != nullptr && failure_ == nullptr) failure_ = failure;
    spare_.push_back(std::move(batch));
    writing_ = false;
    changed_.notify_all();
  }
}

}  // namespace tessarin::render
