#include "input/whole_integer.h"

#include <charconv>

namespace tessarin::input {

std::optional<std::int32_t> ParseWholeInteger(std::string_view token) {
  if (!token.empty() && token.front() == '+') {
    token.remove_prefix(1);
    if (!token.empty() && token.front() == '-') return std::nullopt;
  }
  std::int32_t value = 0;
  auto [stop, error] = std::from_chars(token.data(), token.data() + token.size(), value, 10);
  if (token.empty() || error != std::errc{} || stop != token.data() + token.size()) return std::nullopt;
  return value;
}

}  // namespace tessarin::input
