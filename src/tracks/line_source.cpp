#include "tracks/line_source.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tessarin::tracks {
namespace {

constexpr std::size_t kBlockSize = std::size_t{4} << 20;

}  // namespace

LineSource::LineSource(const std::string& path) {
  descriptor_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  good_ = descriptor_ >= 0;
  if (!good_) return;
  storage_ = std::make_unique<char[]>(kBlockSize);
  begin_ = end_ = storage_.get();
#ifdef POSIX_FADV_SEQUENTIAL
  ::posix_fadvise(descriptor_, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
}

LineSource::LineSource(std::span<const char> text)
    : good_(true), atEnd_(true), begin_(text.data()), end_(text.data() + text.size()) {}

LineSource::~LineSource() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

// Moves the unread rest to the front of the block and fills the block up.
bool LineSource::Refill() {
  if (atEnd_) return false;
  const std::size_t rest = static_cast<std::size_t>(end_ - begin_);
  if (rest == kBlockSize) return false;  // a line longer than the block: hand it out in pieces
  std::memmove(storage_.get(), begin_, rest);
  begin_ = storage_.get();
  end_ = begin_ + rest;
  char* free = storage_.get() + rest;
  const std::size_t room = kBlockSize - rest;
  ssize_t got = 0;
  do {
    got = ::read(descriptor_, free, room);
  } while (got < 0 && errno == EINTR);
  if (got <= 0) {
    atEnd_ = true;
    return false;
  }
  end_ += got;
  return true;
}

bool LineSource::Next(std::string_view& line) {
  const char* newline = nullptr;
  while ((newline = static_cast<const char*>(std::memchr(begin_, '\n', static_cast<std::size_t>(end_ - begin_)))) ==
         nullptr) {
    if (!Refill()) break;
  }
  const char* lineEnd = newline != nullptr ? newline : end_;
  if (newline == nullptr && begin_ == end_) return false;
  const char* next = newline != nullptr ? newline + 1 : end_;
  bytesRead_ += static_cast<std::uint64_t>(next - begin_);
  ++lineNumber_;
  if (lineEnd > begin_ && lineEnd[-1] == '\r') --lineEnd;
  line = std::string_view(begin_, static_cast<std::size_t>(lineEnd - begin_));
  begin_ = next;
  return true;
}

bool LineSource::HasMore() {
  if (begin_ != end_) return true;
  return Refill();
}

}  // namespace tessarin::tracks
