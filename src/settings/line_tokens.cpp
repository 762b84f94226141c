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

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace tessarin::settings
