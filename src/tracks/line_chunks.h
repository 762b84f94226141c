#pragma once
// A track data file cut into chunks of whole lines, every line already tried
// as a vertex line. Most of a track file is vertex lines, and turning their
// numbers into doubles is most of the work of a reading: helper threads read
// and parse the chunks ahead of the reader, and the reader helps when it
// would otherwise wait, so that the parsing runs on every core.

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "tracks/trackset_data.h"

namespace tessarin::tracks {

struct ChunkLine {
  std::uint32_t length = 0;  // without its "\n" or "\r\n"
  std::uint32_t end = 0;     // where the next line begins
  std::int32_t vertex = -1;  // its four numbers in LineChunk::vertices, or -1
};

// Whole cache lines each: a helper fills one chunk while the reader walks
// through the one before.
struct alignas(64) LineChunk {
  std::uint64_t offset = 0;  // of its first byte in the file
  std::vector<char> text;    // its lines up to `size`, then a few zero bytes
  std::size_t size = 0;
  std::vector<ChunkLine> lines;
  std::vector<TrackVertex> vertices;
  std::exception_ptr failure;  // what went wrong while it was read or parsed

  std::uint32_t LineBegin(std::size_t index) const { return index == 0 ? 0 : lines[index - 1].end; }
};

class LineChunkPipeline {
 public:
  // Reads the open file `descriptor` (not closed here), or `text` when the
  // descriptor is negative; `text` must outlive the pipeline. `expectedSize`
  // decides whether helper threads are worth starting.
  LineChunkPipeline(int descriptor, std::span<const char> text, std::uint64_t expectedSize);
  ~LineChunkPipeline();
  LineChunkPipeline(const LineChunkPipeline&) = delete;
  LineChunkPipeline& operator=(const LineChunkPipeline&) = delete;

  // The next chunk in file order, nullptr after the last one. The chunk
  // handed out before is given back and must no longer be used. Throws what
  // reading or parsing the chunk threw (on whichever thread). Until then the
  // chunk is the caller's, to change if it likes.
  LineChunk* Next();

 private:
  [[nodiscard]] bool CanClaim() const;
  // Claims the next chunk, fills and parses it. Called with `lock` held;
  // releases it for the work.
  void Produce(std::unique_lock<std::mutex>& lock);
  // Reads the next chunk's text: the line cut off at the end of the previous
  // chunk, then whole lines.
  [[nodiscard]] bool Fill(LineChunk& chunk);
  // How much to read for the next chunk.
  std::size_t Room() const;
  std::size_t ReadSome(char* buffer, std::size_t room);
  void HelperLoop();

  int descriptor_;
  std::span<const char> text_;
  std::size_t textUsed_ = 0;
  std::uint64_t expectedSize_;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<LineChunk> slots_;
  std::vector<std::int64_t> readyChunk_;  // per slot: the chunk parsed there, or -1
  std::int64_t claimed_ = 0;              // chunks claimed so far
  std::int64_t released_ = 0;             // chunks given back by the reader
  bool holding_ = false;                  // the reader holds chunk `released_`
  bool filling_ = false;                  // a thread is reading the next chunk's text
  bool inputEnded_ = false;
  bool quit_ = false;

  // Touched only by the thread that fills (filling_ serialises them).
  std::string carry_;
  std::uint64_t nextOffset_ = 0;
  std::uint64_t bytesTaken_ = 0;

  std::vector<std::thread> helpers_;
};

}  // namespace tessarin::tracks
