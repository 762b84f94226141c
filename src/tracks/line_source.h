#pragma once
// Lines of a track data file, read in large blocks: the reader must keep up
// with files of gigabytes. Also serves a buffer in memory, so that the
// reader can be driven without a file (fuzzing, tests).

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace tessarin::tracks {

class LineSource {
 public:
  // Opens the file for reading; Good() tells whether that worked.
  explicit LineSource(const std::string& path);
  // Serves `text`, which must outlive the source.
  explicit LineSource(std::span<const char> text);
  ~LineSource();
  LineSource(const LineSource&) = delete;
  LineSource& operator=(const LineSource&) = delete;

  bool Good() const { return good_; }
  // The next line without its end ("\n" or "\r\n"); false at the end.
  // The view is valid until the next call.
  bool Next(std::string_view& line);
  // Whether another line could be read.
  bool HasMore();
  // Bytes of the lines handed out so far.
  std::uint64_t BytesRead() const { return bytesRead_; }
  // Lines handed out so far: the 1-based number of the last one.
  std::int64_t LineNumber() const { return lineNumber_; }

 private:
  bool Refill();

  int descriptor_ = -1;
  bool good_ = false;
  bool atEnd_ = false;
  std::unique_ptr<char[]> storage_;
  const char* begin_ = nullptr;
  const char* end_ = nullptr;
  std::uint64_t bytesRead_ = 0;
  std::int64_t lineNumber_ = 0;
};

}  // namespace tessarin::tracks
