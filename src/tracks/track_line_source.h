#pragma once
// Lines of a track data file in file order, each already tried as a vertex
// line (see line_chunks.h). Also serves a buffer in memory, so that the
// reader can be driven without a file (fuzzing, tests).

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "tracks/trackset_data.h"

namespace tessarin::tracks {

class LineChunkPipeline;
struct LineChunk;

class LineSource {
 public:
  // Opens the file for reading; Good() tells whether that worked.
  explicit LineSource(const std::string& path);
  // Serves `text`, which must outlive the source.
  explicit LineSource(std::span<const char> text);
  ~LineSource();
  LineSource(const LineSource&) = delete;
  LineSource& operator=(const LineSource&) = delete;

  [[nodiscard]] bool Good() const { return good_; }
  // The next line without its end ("\n" or "\r\n"); false at the end.
  // The view is valid until the next call.
  [[nodiscard]] bool Next(std::string_view& line);
  // The same, with the line's four numbers when it is a vertex line
  // (nullptr otherwise), valid as long as the line.
  [[nodiscard]] bool Next(std::string_view& line, const TrackVertex*& vertex);
  // The vertices of the next `count` lines when they are all vertex lines
  // and already at hand (a track that does not cross a chunk border); an
  // empty span otherwise. Hands nothing out: Skip does. The caller may
  // change them in place: nobody else looks at them, and they stay valid
  // until the next line is asked for.
  std::span<TrackVertex> PeekVertexRun(std::size_t count);
  // Hands out `count` lines of a run PeekVertexRun showed.
  void Skip(std::size_t count);
  // Whether another line could be read.
  [[nodiscard]] bool HasMore();
  // Bytes of the lines handed out so far.
  std::uint64_t BytesRead() const { return bytesRead_; }
  // Lines handed out so far: the 1-based number of the last one.
  std::int64_t LineNumber() const { return lineNumber_; }

 private:
  // Makes `chunk_` hold an unread line; false at the end.
  [[nodiscard]] bool Advance();

  int descriptor_ = -1;
  bool good_ = false;
  std::unique_ptr<LineChunkPipeline> pipeline_;
  LineChunk* chunk_ = nullptr;
  std::size_t nextLine_ = 0;
  bool ended_ = false;
  std::uint64_t bytesRead_ = 0;
  std::int64_t lineNumber_ = 0;
};

}  // namespace tessarin::tracks
