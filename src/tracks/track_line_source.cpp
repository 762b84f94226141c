#include "tracks/track_line_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tracks/line_chunks.h"

namespace tessarin::tracks {

LineSource::LineSource(const std::string& path) {
  descriptor_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  good_ = descriptor_ >= 0;
  if (!good_) return;
#ifdef POSIX_FADV_SEQUENTIAL
  ::posix_fadvise(descriptor_, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
  struct stat facts {};
  const std::uint64_t size = ::fstat(descriptor_, &facts) == 0 ? static_cast<std::uint64_t>(facts.st_size) : 0;
  pipeline_ = std::make_unique<LineChunkPipeline>(descriptor_, std::span<const char>(), size);
}

LineSource::LineSource(std::span<const char> text)
    : good_(true), pipeline_(std::make_unique<LineChunkPipeline>(-1, text, text.size())) {}

LineSource::~LineSource() {
  pipeline_.reset();  // its helpers may still be reading the descriptor
  if (descriptor_ >= 0) ::close(descriptor_);
}

bool LineSource::Advance() {
  while (!ended_ && (chunk_ == nullptr || nextLine_ == chunk_->lines.size())) {
    chunk_ = pipeline_ != nullptr ? pipeline_->Next() : nullptr;
    nextLine_ = 0;
    ended_ = chunk_ == nullptr;
  }
  return !ended_;
}

bool LineSource::Next(std::string_view& line, const TrackVertex*& vertex) {
  if (!Advance()) return false;
  const ChunkLine& found = chunk_->lines[nextLine_];
  const std::uint32_t begin = chunk_->LineBegin(nextLine_);
  line = std::string_view(chunk_->text.data() + begin, found.length);
  vertex = found.vertex >= 0 ? &chunk_->vertices[static_cast<std::size_t>(found.vertex)] : nullptr;
  bytesRead_ = chunk_->offset + found.end;
  ++lineNumber_;
  ++nextLine_;
  return true;
}

bool LineSource::Next(std::string_view& line) {
  const TrackVertex* vertex = nullptr;
  return Next(line, vertex);
}

std::span<TrackVertex> LineSource::PeekVertexRun(std::size_t count) {
  if (count == 0 || !Advance() || chunk_->lines.size() - nextLine_ < count) return {};
  // Vertex lines are numbered one after the other: the run holds only
  // vertex lines when its first and last are that far apart.
  const std::int32_t first = chunk_->lines[nextLine_].vertex;
  const std::int32_t last = chunk_->lines[nextLine_ + count - 1].vertex;
  if (first < 0 || last < 0 || static_cast<std::size_t>(last - first) != count - 1) return {};
  // The line after the run is most likely the next track's header, the next
  // text the reader looks at; another core read it. Ask for it now, while
  // this track is judged.
  __builtin_prefetch(chunk_->text.data() + chunk_->lines[nextLine_ + count - 1].end);
  return {chunk_->vertices.data() + first, count};
}

void LineSource::Skip(std::size_t count) {
  if (count == 0) return;
  nextLine_ += count;
  lineNumber_ += static_cast<std::int64_t>(count);
  bytesRead_ = chunk_->offset + chunk_->lines[nextLine_ - 1].end;
}

bool LineSource::HasMore() { return Advance(); }

}  // namespace tessarin::tracks
