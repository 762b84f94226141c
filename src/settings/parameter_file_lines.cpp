#include "settings/parameter_file_lines.h"

#include <istream>

namespace tessarin::settings {

std::size_t ParameterFileLines::FillLine(std::size_t maxLength) {
  for (;;) {
    const std::size_t lineFeed = pending_.find('\n');
    if (lineFeed != std::string::npos && lineFeed < maxLength) return lineFeed + 1;
    if (pending_.size() >= maxLength) return maxLength;
    const int next = in_.get();
    if (next == std::char_traits<char>::eof()) return pending_.size();
    if (next == '\r' && in_.peek() == '\n') continue;
    pending_ += static_cast<char>(next);
  }
}

std::optional<std::string> ParameterFileLines::Peek(std::size_t maxLength) {
  const std::size_t length = FillLine(maxLength);
  if (length == 0) return std::nullopt;
  std::string line = pending_.substr(0, length);
  if (line.back() == '\n') line.pop_back();
  return line;
}

void ParameterFileLines::Take(std::size_t maxLength) {
  const std::size_t length = FillLine(maxLength);
  if (length > 0 && pending_[length - 1] == '\n') ++lineFeedsTaken_;
  pending_.erase(0, length);
}

}  // namespace tessarin::settings
