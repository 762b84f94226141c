#include "tracks/line_chunks.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "tracks/track_file_lines.h"
#include "tracks/vertex_line_scan.h"

namespace tessarin::tracks {
namespace {

// Large enough that a chunk costs one system call and little locking, small
// enough that the chunks ahead stay in the caches and spread over the cores.
constexpr std::size_t kChunkBytes = std::size_t{1} << 20;
constexpr std::size_t kSlots = 6;
// Zero bytes after a chunk's text: the vertex line scan reads up to sixteen
// bytes at a time.
constexpr std::size_t kPadding = 16;
constexpr unsigned kMostHelpers = 3;
constexpr std::size_t kSmallestFileRead = std::size_t{64} << 10;

unsigned HelperCount(std::uint64_t expectedSize) {
  if (expectedSize <= 2 * kChunkBytes) return 0;
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  return std::min(cores - 1, kMostHelpers);
}

// Splits the chunk into lines and tries each as a vertex line.
void Parse(LineChunk& chunk) {
  const std::size_t size = chunk.size;
  chunk.lines.clear();
  chunk.vertices.clear();
  const char* const text = chunk.text.data();
  std::size_t begin = 0;
  while (begin < size) {
    // Parsed in place: a vertex parsed elsewhere and copied in would be read
    // back before its numbers were all stored, which stalls.
    TrackVertex& vertex = chunk.vertices.emplace_back();
    std::size_t length = 0, end = 0;
    const char* const scanned = ScanVertexLine(text + begin, text + size, vertex);
    bool isVertex = scanned != nullptr;
    if (isVertex) {
      const std::size_t lineEnd = static_cast<std::size_t>(scanned - text);
      length = lineEnd - begin;
      end = lineEnd == size ? size : lineEnd + (text[lineEnd] == '\r' ? 2 : 1);
    } else {
      const char* const found = static_cast<const char*>(std::memchr(text + begin, '\n', size - begin));
      const std::size_t newline = found != nullptr ? static_cast<std::size_t>(found - text) : size;
      end = found != nullptr ? newline + 1 : size;
      length = newline - begin;
      if (length > 0 && text[newline - 1] == '\r') --length;
      isVertex = ParseVertex(std::string_view(text + begin, length), vertex);
    }
    ChunkLine line{static_cast<std::uint32_t>(length), static_cast<std::uint32_t>(end), -1};
    if (isVertex) {
      line.vertex = static_cast<std::int32_t>(chunk.vertices.size() - 1);
    } else {
      chunk.vertices.pop_back();
    }
    chunk.lines.push_back(line);
    begin = end;
  }
}

}  // namespace

LineChunkPipeline::LineChunkPipeline(int descriptor, std::span<const char> text, std::uint64_t expectedSize)
    : descriptor_(descriptor), text_(text), expectedSize_(expectedSize), slots_(kSlots), readyChunk_(kSlots, -1) {
  const unsigned helpers = HelperCount(descriptor >= 0 ? expectedSize : text.size());
  for (unsigned i = 0; i < helpers; ++i) {
    // Without another thread to be had, the helpers started so far (or the
    // reader alone) do the work; a throw here would leave them unjoined.
    try {
      helpers_.emplace_back([this] { HelperLoop(); });
    } catch (const std::system_error&) {
      break;
    }
  }
}

LineChunkPipeline::~LineChunkPipeline() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  changed_.notify_all();
  for (std::thread& helper : helpers_) helper.join();
}

bool LineChunkPipeline::CanClaim() const {
  return !filling_ && !inputEnded_ && claimed_ < released_ + static_cast<std::int64_t>(kSlots);
}

LineChunk* LineChunkPipeline::Next() {
  std::unique_lock<std::mutex> lock(mutex_);
  if (holding_) {
    holding_ = false;
    ++released_;
    changed_.notify_all();
  }
  for (;;) {
    const std::size_t slot = static_cast<std::size_t>(released_) % kSlots;
    if (readyChunk_[slot] == released_) {
      holding_ = true;
      if (slots_[slot].failure != nullptr) std::rethrow_exception(slots_[slot].failure);
      return &slots_[slot];
    }
    if (inputEnded_ && claimed_ == released_) return nullptr;
    if (CanClaim()) {
      Produce(lock);
    } else {
      changed_.wait(lock);
    }
  }
}

void LineChunkPipeline::HelperLoop() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return quit_ || CanClaim(); });
    if (quit_) return;
    Produce(lock);
  }
}

void LineChunkPipeline::Produce(std::unique_lock<std::mutex>& lock) {
  const std::int64_t number = claimed_++;
  const std::size_t slot = static_cast<std::size_t>(number) % kSlots;
  readyChunk_[slot] = -1;
  filling_ = true;
  LineChunk& chunk = slots_[slot];
  chunk.failure = nullptr;
  lock.unlock();
  bool last = true;
  try {
    last = Fill(chunk);
  } catch (...) {
    chunk.failure = std::current_exception();
  }
  lock.lock();
  filling_ = false;
  if (last) inputEnded_ = true;
  changed_.notify_all();
  lock.unlock();
  if (chunk.failure == nullptr) {
    try {
      Parse(chunk);
    } catch (...) {
      chunk.failure = std::current_exception();
    }
  }
  lock.lock();
  readyChunk_[slot] = number;
  changed_.notify_all();
}

std::size_t LineChunkPipeline::ReadSome(char* buffer, std::size_t room) {
  if (descriptor_ < 0) {
    const std::size_t taken = std::min(room, text_.size() - textUsed_);
    std::memcpy(buffer, text_.data() + textUsed_, taken);
    textUsed_ += taken;
    return taken;
  }
  ssize_t got = 0;
  do {
    got = ::read(descriptor_, buffer, room);
  } while (got < 0 && errno == EINTR);
  return got > 0 ? static_cast<std::size_t>(got) : 0;  // an error ends the input like its end
}

std::size_t LineChunkPipeline::Room() const {
  if (descriptor_ < 0) return std::min(kChunkBytes, text_.size() - textUsed_);
  // A file may have grown since it was measured: it is read on to its end.
  const std::uint64_t left = expectedSize_ > bytesTaken_ ? expectedSize_ - bytesTaken_ : 0;
  return static_cast<std::size_t>(std::clamp<std::uint64_t>(left, kSmallestFileRead, kChunkBytes));
}

bool LineChunkPipeline::Fill(LineChunk& chunk) {
  chunk.offset = nextOffset_;
  const std::size_t room = Room();
  if (chunk.text.size() < carry_.size() + room + kPadding) chunk.text.resize(carry_.size() + room + kPadding);
  char* const text = chunk.text.data();
  std::memcpy(text, carry_.data(), carry_.size());
  std::size_t size = carry_.size();
  const std::size_t full = carry_.size() + room;
  bool ended = room == 0;
  while (size < full && !ended) {
    const std::size_t got = ReadSome(text + size, full - size);
    size += got;
    bytesTaken_ += got;
    ended = got == 0;
  }
  std::size_t used = size;
  carry_.clear();
  if (!ended) {
    // The line cut off at the end goes to the next chunk; a line longer than
    // a whole chunk is handed out in pieces.
    const char* const last = static_cast<const char*>(memrchr(text, '\n', size));
    if (last != nullptr) {
      used = static_cast<std::size_t>(last - text) + 1;
      carry_.assign(text + used, size - used);
    }
  }
  chunk.size = used;
  std::memset(text + used, 0, kPadding);
  nextOffset_ += used;
  return ended;
}

}  // namespace tessarin::tracks
