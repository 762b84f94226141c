#include "input/input_file.h"

#include "platform/regular_file.h"

namespace tessarin::input {

bool InputFile::Open(const std::string& path) {
  position_ = 0;
  lineStart_ = 0;
  lineNumber_ = 0;
  name_ = path.substr(path.find_last_of('/') + 1);
  return platform::OpenRegularFile(path, stream_);
}

bool InputFile::ReadLine(std::string& line) {
  line.clear();
  std::streambuf* buffer = stream_.rdbuf();
  if (!stream_.is_open() || buffer == nullptr) return false;
  lineStart_ = position_;
  bool any = false;
  for (;;) {
    int c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof()) break;
    any = true;
    ++position_;
    if (c == '\n') break;
    if (line.size() < kMaxLineLength + 1) line.push_back(static_cast<char>(c));
  }
  // One extra character was kept so that a "\r" just before the line end
  // of a line of exactly the maximum length is still recognised.
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > kMaxLineLength) line.resize(kMaxLineLength);
  if (any) ++lineNumber_;
  return any;
}

void InputFile::Seek(std::int64_t position, int linesBefore) {
  stream_.clear();
  stream_.rdbuf()->pubseekpos(static_cast<std::streamoff>(position), std::ios::in);
  position_ = position;
  lineNumber_ = linesBefore;
}

}  // namespace tessarin::input
