#include "settings/line_tokens.h"

namespace tessarin::settings {

std::string_view LineTokens::Next(std::string_view delimiters) {
  const std::size_t start = line_.find_first_not_of(delimiters, position_);
  if (start == std::string_view::npos) {
    position_ = line_.size();
    return {};
  }
  std::size_t end = line_.find_first_of(delimiters, start);
  if (end == std::string_view::npos) end = line_.size();
  position_ = end < line_.size() ? end + 1 : end;
  return line_.substr(start, end - start);
}

std::string_view LineTokens::Rest() const {
  const std::size_t start = line_.find_first_not_of(" =\t", position_);
  if (start == std::string_view::npos) return {};
  return line_.substr(start);
}

}  // namespace tessarin::settings
