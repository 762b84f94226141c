#include "input/input_file.h"

#include "platform/regular_file.h"

namespace tessarin::input {
namespace {

bool IsBlank(int c) { return c == ' ' || c == '\t'; }

}  // namespace

bool InputFile::Open(const std::string& path) {
  position_ = 0;
  lineStart_ = 0;
  lineNumber_ = 0;
  name_ = path.substr(path.find_last_of('/') + 1);
  return platform::OpenRegularFile(path, stream_);
}

bool InputFile::ReadLine(std::string& line) {
  line.clear();
  cutRest_.clear();
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
    if (line.size() < kMaxLineLength + 1) {
      line.push_back(static_cast<char>(c));
    } else if (cutRest_.size() < kCutRestShown &&
               !(cutRest_.empty() && IsBlank(c) && IsBlank(line[kMaxLineLength]))) {
      cutRest_.push_back(static_cast<char>(c));
    }
  }
  // One extra character was kept so that a "\r" just before the line end
  // of a line of exactly the maximum length is still recognised.
  std::string& end = cutRest_.empty() ? line : cutRest_;
  if (!end.empty() && end.back() == '\r') end.pop_back();
  if (line.size() > kMaxLineLength) {
    cutRest_.insert(0, line, kMaxLineLength);
    line.resize(kMaxLineLength);
    std::size_t first = 0;
    while (first < cutRest_.size() && IsBlank(cutRest_[first])) ++first;
    cutRest_ = cutRest_.substr(first, kCutRestShown);
  }
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
